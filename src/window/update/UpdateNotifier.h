#pragma once

#include "window/update/NewVersionNotice.h"

#include <QObject>
#include <QPointer>

#include <functional>

class VersionCheck;
class QWidget;

// Ties the version check to the window: owns the check (wChk) and the notice
// (ctlpop). start() begins the check and returns at once; a newer version
// shows the notice, a failure shows its message through the callback.
//
//   auto *updates = new UpdateNotifier(window, showMessage);
//   if (Settings::read(Settings::Name::AUChk) == u"1"_s)
//       updates->start();
class UpdateNotifier : public QObject
{
    Q_OBJECT

public:
    // Shows a modal box with the stop icon and one OK button.
    using MessageCallback = std::function<void(const QString &text, const QString &title)>;

    // A child of the window. Without a callback, messages go to QMessageBox.
    explicit UpdateNotifier(QWidget *window, MessageCallback showMessage = {});
    ~UpdateNotifier() override;

    void start();

    VersionCheck *versionCheck() const { return m_check; }
    NewVersionNotice *notice() const { return m_notice; }
    // The version of the last new-version event; empty until one arrives.
    QString availableVersion() const;
    // How the notice opens the maker's site.
    void setUrlOpener(NewVersionNotice::UrlOpener opener);

    // The handlers of the check's two events.
    void onNewVersion(const QString &version);
    void onError(int code);

private:
    QPointer<QWidget> m_window;
    MessageCallback m_showMessage;
    VersionCheck *m_check = nullptr;
    QPointer<NewVersionNotice> m_notice;
};
