#include "update/VersionCheck.h"

#include "update/SiteAddress.h"
#include "update/VersionDocument.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QVersionNumber>

using namespace Qt::StringLiterals;

namespace {

int httpStatus(const QNetworkReply *reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

} // namespace

VersionCheck::VersionCheck(QObject *parent)
    : QObject(parent), m_url(SiteAddress::versionDocumentUrl()), m_version(QStringLiteral(TESSARO_VERSION))
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &VersionCheck::onTimedOut);
}

VersionCheck::~VersionCheck()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

int VersionCheck::compareVersions(const QString &a, const QString &b)
{
    const QVersionNumber first = QVersionNumber::fromString(a.trimmed()).normalized();
    const QVersionNumber second = QVersionNumber::fromString(b.trimmed()).normalized();
    return QVersionNumber::compare(first, second);
}

void VersionCheck::start()
{
    if (m_running)
        return;
    m_running = true;
    m_redirects = 0;

    if (!SiteAddress::isFetchable(m_url)) {
        // Still answer later, never from inside start().
        QTimer::singleShot(0, this, [this] { fail(CannotConnect); });
        return;
    }
    m_deadline.start(m_timeout);
    request(m_url);
}

void VersionCheck::request(const QUrl &url)
{
    m_body.clear();
    m_abortedWith.reset();
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    // Redirects are followed by onFinished(), which checks every hop.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString(u"Tessaro/"_s + m_version));

    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &VersionCheck::onDataArrived);
    connect(m_reply, &QNetworkReply::finished, this, &VersionCheck::onFinished);
}

// Follows one redirect: at most MaxRedirects in a row, never to another
// scheme, only to an address that may be fetched.
bool VersionCheck::followRedirect()
{
    const QUrl target = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (target.isEmpty())
        return false;
    const QUrl next = m_reply->url().resolved(target);
    if (++m_redirects > MaxRedirects || next.scheme() != m_url.scheme() || !SiteAddress::isFetchable(next))
        return false;
    m_reply->disconnect(this);
    m_reply->deleteLater();
    request(next);
    return true;
}

void VersionCheck::onDataArrived()
{
    if (!takeBody()) {
        m_abortedWith = DocumentNotParsed;
        m_reply->abort();
    }
}

bool VersionCheck::takeBody()
{
    const QByteArray data = m_reply->readAll();
    // The body of an error page is never kept; only its status counts.
    const int status = httpStatus(m_reply);
    if (status < 200 || status > 299)
        return true;
    const qlonglong declared = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (declared > MaxDocumentSize || m_body.size() + data.size() > MaxDocumentSize)
        return false;
    m_body += data;
    return true;
}

void VersionCheck::onTimedOut()
{
    if (!m_reply)
        return;
    m_abortedWith = CannotConnect;
    m_reply->abort();
}

void VersionCheck::onFinished()
{
    m_deadline.stop();
    if (m_abortedWith)
        return fail(*m_abortedWith);

    const int status = httpStatus(m_reply);
    if (status == 404 || status == 410)
        return fail(FileNotFound);
    if (m_reply->error() != QNetworkReply::NoError)
        return fail(CannotConnect);
    if (status >= 300 && status <= 399) {
        if (!followRedirect())
            fail(CannotConnect);
        return;
    }

    if (!takeBody())
        return fail(DocumentNotParsed);
    const std::optional<VersionAnnouncement> announcement = parseVersionDocument(m_body);
    if (!announcement)
        return fail(DocumentNotParsed);

    finish();
    if (compareVersions(announcement->version, m_version) > 0)
        emit newVersion(announcement->version, announcement->download, announcement->date, announcement->note);
}

void VersionCheck::fail(ErrorCode code)
{
    finish();
    emit error(code);
}

void VersionCheck::finish()
{
    m_deadline.stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    m_body.clear();
    m_running = false;
}
