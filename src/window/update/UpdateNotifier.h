#pragma once

#include "window/update/NewVersionNotice.h"

#include <QObject>
#include <QPointer>

class MessageBoxes;
class Shell;
class VersionCheck;
class QWidget;

// Ties the version check to the window: owns the check (wChk) and the notice
// (ctlpop). start() begins the check and returns at once; a newer version
// shows the notice, a failure shows its message in a box with the stop
// icon; the notice opens the maker's site through the shell.
//
//   auto *updates = new UpdateNotifier(window, messages, shell);
//   if (Settings::read(Settings::Name::AUChk) == u"1"_s)
//       updates->start();
class UpdateNotifier : public QObject
{
    Q_OBJECT

public:
    // A child of the window; the message boxes and the shell outlive it.
    UpdateNotifier(QWidget *window, MessageBoxes &messages, Shell &shell);
    ~UpdateNotifier() override;

    void start();

    VersionCheck *versionCheck() const { return m_check; }
    NewVersionNotice *notice() const { return m_notice; }
    // The version of the last new-version event; empty until one arrives.
    QString availableVersion() const;

    // The handlers of the check's two events.
    void onNewVersion(const QString &version);
    void onError(int code);

private:
    MessageBoxes &m_messages;
    VersionCheck *m_check = nullptr;
    QPointer<NewVersionNotice> m_notice;
};
