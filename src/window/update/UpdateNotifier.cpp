#include "window/update/UpdateNotifier.h"

#include "core/update/VersionCheck.h"
#include "core/update/VersionCheckMessage.h"

#include <QMessageBox>

using namespace Qt::StringLiterals;

UpdateNotifier::UpdateNotifier(QWidget *window, MessageCallback showMessage)
    : QObject(window), m_window(window), m_showMessage(std::move(showMessage)), m_check(new VersionCheck(this)),
      m_notice(new NewVersionNotice(window))
{
    m_check->setObjectName(u"wChk"_s);
    if (!m_showMessage) {
        m_showMessage = [this](const QString &text, const QString &title) {
            QMessageBox::critical(m_window, title, text, QMessageBox::Ok);
        };
    }
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

void UpdateNotifier::setUrlOpener(NewVersionNotice::UrlOpener opener)
{
    if (m_notice)
        m_notice->setUrlOpener(std::move(opener));
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
        m_showMessage(*message, versionCheckMessageTitle());
}
