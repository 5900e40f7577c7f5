#include "window/results/ClipboardClearTimer.h"

#include "platform/clipboard/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

ClipboardClearTimer::ClipboardClearTimer(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &ClipboardClearTimer::expire);
}

void ClipboardClearTimer::copied(const QString &text)
{
    m_text = text;
    m_timer.start();
}

void ClipboardClearTimer::expire()
{
    m_timer.stop();
    // Compared by text: whoever put the same text there since, clearing it
    // takes nothing the user did not copy from here.
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard && !m_text.isNull() && clipboard->text() == m_text)
        Clipboard::clear();
    m_text = QString();
}
