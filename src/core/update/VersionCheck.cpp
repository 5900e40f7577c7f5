#include "core/update/VersionCheck.h"

#include "core/update/SiteAddress.h"
#include "core/update/VersionDocument.h"

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
    // One deadline for the whole check, redirects included.
    connect(&m_deadline, &QTimer::timeout, this, [this] { fail(CannotConnect); });
}

VersionCheck::~VersionCheck()
{
    dropReply();
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
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    // Redirects are followed by onHeaders(), which checks every hop.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString(u"Tessaro/"_s + m_version));

    m_reply = m_network->get(request);
    // The network thread reads no further ahead than this, so a server that
    // sends without end cannot fill the memory while we are busy.
    m_reply->setReadBufferSize(MaxDocumentSize + 1);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &VersionCheck::onHeaders);
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
    dropReply();
    request(next);
    return true;
}

// Anything but a success is decided by its status alone: the body of an
// error page or a redirect is never read.
bool VersionCheck::concludeFromStatus()
{
    const int status = httpStatus(m_reply);
    if (status >= 200 && status <= 299)
        return false;
    if (status == 404 || status == 410)
        fail(FileNotFound);
    else if (status < 300 || status > 399 || !followRedirect())
        fail(CannotConnect);
    return true;
}

void VersionCheck::onHeaders()
{
    if (httpStatus(m_reply) != 0)
        concludeFromStatus();
}

void VersionCheck::onDataArrived()
{
    if (!concludeFromStatus() && !takeBody())
        fail(DocumentNotParsed);
}

bool VersionCheck::takeBody()
{
    const qlonglong declared = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    m_body += m_reply->read(MaxDocumentSize + 1 - m_body.size());
    return declared <= MaxDocumentSize && m_body.size() <= MaxDocumentSize;
}

void VersionCheck::onFinished()
{
    if (m_reply->error() != QNetworkReply::NoError && httpStatus(m_reply) == 0)
        return fail(CannotConnect);
    if (concludeFromStatus())
        return;
    if (m_reply->error() != QNetworkReply::NoError)
        return fail(CannotConnect);
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

// Stops the transfer at once: no byte more is read from it.
void VersionCheck::dropReply()
{
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
}

void VersionCheck::finish()
{
    m_deadline.stop();
    dropReply();
    m_body.clear();
    m_running = false;
}
