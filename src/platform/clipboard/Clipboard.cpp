#include "platform/clipboard/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace Clipboard {

QMimeData *passwordMimeData(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
#if defined(Q_OS_WIN)
    data->setData(QStringLiteral("ExcludeClipboardContentFromMonitorProcessing"), QByteArray(4, '\0'));
#elif defined(Q_OS_MACOS)
    data->setData(QStringLiteral("application/x-nspasteboard-concealed-type"), QByteArray());
#else
    data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
#endif
    return data;
}

void CopyToClipboard(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->clear();
    clipboard->setMimeData(passwordMimeData(text));
}

void clear()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

bool holdsOwnText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard && clipboard->ownsClipboard() && clipboard->text() == text;
}

} // namespace Clipboard
