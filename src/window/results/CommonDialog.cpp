#include "window/results/CommonDialog.h"

#include "core/settings/SettingsTable.h"

#include <QStringList>

namespace {

// The file dialog's size as stored ("640x480"); invalid when none is.
QSize storedDialogSize()
{
    const QStringList parts = Settings::read(Settings::Name::DialogSize).split(QLatin1Char('x'));
    bool wide = false;
    bool high = false;
    const QSize size(parts.value(0).toInt(&wide), parts.value(1).toInt(&high));
    return parts.size() == 2 && wide && high && !size.isEmpty() ? size : QSize();
}

void storeDialogSize(const QSize &size)
{
    const QString text = QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height());
    if (size.isValid() && text != Settings::read(Settings::Name::DialogSize))
        Settings::write(Settings::Name::DialogSize, text);
}

} // namespace

QString CommonDialog::chooseFile(FileDialogs::Request request)
{
    request.size = storedDialogSize();
    const QString chosen = m_dialogs.chooseFile(request);
    storeDialogSize(m_dialogs.lastSize());
    return chosen;
}
