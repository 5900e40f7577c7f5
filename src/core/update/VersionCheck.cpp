#include "core/update/VersionCheck.h"

#include "core/common/ProgramModule.h"
#include "core/update/SiteAddress.h"
#include "core/update/VersionDocument.h"

#include <QVersionNumber>

using namespace Qt::StringLiterals;

namespace {

StartVersionTransfer chosenStart = nullptr;

// The module's way of starting a transfer, loaded by the first check.
StartVersionTransfer transferStarter()
{
    if (!chosenStart) {
        const ProgramModule::Entry entry =
            ProgramModule::resolve(u"tessaro_version_transfer"_s, "tessaroVersionTransferStarter");
        if (entry.function)
            chosenStart = reinterpret_cast<decltype(&tessaroVersionTransferStarter)>(entry.function)();
        else
            qWarning("The version check cannot reach the network: %s", qUtf8Printable(entry.error));
    }
    return chosenStart;
}

} // namespace

void VersionCheck::useTransfers(StartVersionTransfer start)
{
    chosenStart = start;
}

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
    const StartVersionTransfer start = transferStarter();
    if (!start) {
        // Still answer later, never from inside start().
        QTimer::singleShot(0, this, [this] { fail(CannotConnect); });
        return;
    }
    // Redirects are followed by onHeaders(), which checks every hop. The
    // network reads no further ahead than MaxDocumentSize + 1, so a server
    // that sends without end cannot fill the memory while we are busy.
    m_reply = start(*this, url, u"Tessaro/"_s + m_version, MaxDocumentSize + 1,
                    {[this] { onHeaders(); }, [this] { onDataArrived(); }, [this] { onFinished(); }});
}

// Follows one redirect: at most MaxRedirects in a row, never to another
// scheme, only to an address that may be fetched.
bool VersionCheck::followRedirect()
{
    const QUrl target = m_reply->redirectTarget();
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
    const int status = m_reply->status();
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
    if (m_reply->status() != 0)
        concludeFromStatus();
}

void VersionCheck::onDataArrived()
{
    if (!concludeFromStatus() && !takeBody())
        fail(DocumentNotParsed);
}

bool VersionCheck::takeBody()
{
    const qlonglong declared = m_reply->declaredLength();
    m_body += m_reply->read(MaxDocumentSize + 1 - m_body.size());
    return declared <= MaxDocumentSize && m_body.size() <= MaxDocumentSize;
}

void VersionCheck::onFinished()
{
    if (m_reply->failed() && m_reply->status() == 0)
        return fail(CannotConnect);
    if (concludeFromStatus())
        return;
    if (m_reply->failed())
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
    m_reply.reset();
}

void VersionCheck::finish()
{
    m_deadline.stop();
    dropReply();
    m_body.clear();
    m_running = false;
}
