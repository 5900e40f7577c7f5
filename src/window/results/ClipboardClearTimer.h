#pragma once

#include "core/settings/SettingsTable.h"

#include <QObject>
#include <QString>
#include <QTimer>

// Clears a copied password from the clipboard after a while. Each copy
// starts the countdown again; when it runs out the clipboard is cleared
// only if it still holds what the program put there, so text copied since
// by the user or another program is left alone.
class ClipboardClearTimer final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDelayMs = Settings::kClearAfterSeconds * 1000;

    explicit ClipboardClearTimer(QObject *parent = nullptr);

    // The program has just put this text on the clipboard.
    void copied(const QString &text);
    bool isActive() const { return m_timer.isActive(); }
    // Runs the countdown's end at once (the timer's timeout does the same).
    void expire();

private:
    QTimer m_timer;
    QString m_text;
};
