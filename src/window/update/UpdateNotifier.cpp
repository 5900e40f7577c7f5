#include "window/update/UpdateNotifier.h"

#include "core/update/VersionCheck.h"
#include "core/update/VersionCheckMessage.h"

#include "platform/messages/MessageBoxes.h"
#include "platform/shell/Shell.h"

using namespace Qt::StringLiterals;

UpdateNotifier::UpdateNotifier(QWidget *window, MessageBoxes &messages, Shell &shell)
    : QObject(window), m_messages(messages), m_check(new VersionCheck(this)), m_notice(new NewVersionNotice(window))
{
    m_check->setObjectName(u"wChk"_s);
    m_notice->setUrlOpener([&shell](const QUrl &url) { shell.openUrl(url); });
    connect(m_check, &VersionCheck::newVersion, this, &UpdateNotifier::onNewVersion);
    connect(m_check, &VersionCheck::error, this, &UpdateNotifier::onError);
}

UpdateNotifier::~UpdateNotifier()
{
    delete m_notice; // unless the window has already taken it down
}

void UpdateNotifier::start()
{
    m_check->start();
}

QString UpdateNotifier::availableVersion() const
{
    return m_notice ? m_notice->availableVersion() : QString();
}

void UpdateNotifier::onNewVersion(const QString &version)
{
    if (!m_notice)
        return;
    m_notice->setAvailableVersion(version);
    m_notice->ShowNewVersionNotice();
}

void UpdateNotifier::onError(int code)
{
    if (const std::optional<QString> message = versionCheckMessage(code))
        m_messages.show(
            {*message, versionCheckMessageTitle(), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical});
}
