// The module tessaro_version_transfer: the version check's GET over Qt Network.
//
// A plain HTTP/1.0 GET on a socket of the caller's thread, not through
// QNetworkAccessManager: Qt's HTTP thread reads a header line byte by byte
// for as long as a server keeps sending it, without returning to its event
// loop, so neither an abort nor deleting the manager can end such a
// connection. Here every read is bounded, the headers are capped, and
// deleting the transfer closes the socket at once.

#include "core/update/VersionTransfer.h"

#include <QSslSocket>

#include <memory>

namespace {

// The status line and headers together; real servers send about 1 KiB.
constexpr qint64 kMaxHead = 16 * 1024;

class SocketTransfer : public VersionTransfer
{
public:
    SocketTransfer(const QUrl &url, const QString &userAgent, qint64 readBuffer, const Events &events)
        : m_url(url), m_readBuffer(readBuffer), m_events(events)
    {
        m_socket->setReadBufferSize(kMaxHead + 1);
        QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
        if (path.isEmpty())
            path = "/";
        if (url.hasQuery())
            path += '?' + url.query(QUrl::FullyEncoded).toLatin1();
        const QByteArray host = url.host(QUrl::FullyEncoded).toLatin1() +
                                (url.port() == -1 ? QByteArray() : ':' + QByteArray::number(url.port()));
        // HTTP/1.0: the answer ends with the connection, never in chunks.
        m_request = "GET " + path + " HTTP/1.0\r\nHost: " + host + "\r\nUser-Agent: " + userAgent.toLatin1() +
                    "\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";
        const auto send = [this] { m_socket->write(m_request); };
        QObject::connect(m_socket, &QTcpSocket::readyRead, m_socket, [this] { onReadyRead(); });
        QObject::connect(m_socket, &QTcpSocket::disconnected, m_socket, [this] { onEnd(); });
        QObject::connect(m_socket, &QTcpSocket::errorOccurred, m_socket, [this](QAbstractSocket::SocketError error) {
            if (error != QAbstractSocket::RemoteHostClosedError)
                m_failed = true;
            onEnd();
        });
        if (auto *tls = qobject_cast<QSslSocket *>(m_socket)) {
            QObject::connect(tls, &QSslSocket::encrypted, tls, send);
            tls->connectToHostEncrypted(url.host(), quint16(url.port(443)));
        } else {
            QObject::connect(m_socket, &QTcpSocket::connected, m_socket, send);
            m_socket->connectToHost(url.host(), quint16(url.port(80)));
        }
    }

    ~SocketTransfer() override
    {
        *m_alive = false;
        close();
        // Not deleted at once: this may run inside one of the socket's signals.
        m_socket->deleteLater();
    }

    int status() const override { return m_status; }
    QUrl url() const override { return m_url; }
    QUrl redirectTarget() const override { return m_location; }
    qlonglong declaredLength() const override { return m_declaredLength; }
    QByteArray read(qint64 most) override
    {
        QByteArray bytes = m_early.left(most);
        m_early.remove(0, bytes.size());
        if (bytes.size() < most)
            bytes += m_socket->read(most - bytes.size());
        return bytes;
    }
    bool failed() const override { return m_failed; }

private:
    void onReadyRead()
    {
        if (m_status != 0) {
            const Events events = m_events;
            return events.data();
        }
        m_head += m_socket->read(kMaxHead + 1 - m_head.size());
        const qsizetype end = m_head.indexOf("\r\n\r\n");
        if (end < 0) {
            if (m_head.size() > kMaxHead)
                failNow();
            return;
        }
        if (!parseHead(m_head.left(end)))
            return failNow();
        m_early = m_head.mid(end + 4);
        m_head.clear();
        m_socket->setReadBufferSize(m_readBuffer);
        // Each event may delete this transfer: it is called through a copy.
        const std::shared_ptr<bool> alive = m_alive;
        const Events events = m_events;
        events.headers();
        if (*alive && !m_ended && (!m_early.isEmpty() || m_socket->bytesAvailable() > 0))
            events.data();
    }

    bool parseHead(const QByteArray &head)
    {
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> status = lines.value(0).trimmed().split(' ');
        bool ok = false;
        const int code = status.value(1).toInt(&ok);
        if (!status.value(0).startsWith("HTTP/1.") || !ok || code < 100 || code > 999)
            return false;
        for (const QByteArray &line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower(), value = line.mid(colon + 1).trimmed();
            if (colon <= 0)
                return false;
            if (name == "location")
                m_location = QUrl::fromEncoded(value);
            else if (name == "content-length")
                m_declaredLength = value.toLongLong();
        }
        m_status = code;
        return true;
    }

    // Closed at once, without a signal of the socket: no byte more is read.
    void close()
    {
        QObject::disconnect(m_socket, nullptr, nullptr, nullptr);
        m_socket->abort();
    }

    void failNow()
    {
        m_failed = true;
        close();
        onEnd();
    }

    void onEnd()
    {
        if (m_ended)
            return;
        m_ended = true;
        if (m_status == 0)
            m_failed = true;
        const Events events = m_events;
        events.finished();
    }

    QUrl m_url;
    // TLS for https only: plain http (local tests) needs no TLS backend.
    QTcpSocket *m_socket = m_url.scheme() == QLatin1String("https") ? new QSslSocket : new QTcpSocket;
    qint64 m_readBuffer;
    Events m_events;
    QByteArray m_request, m_head, m_early;
    QUrl m_location;
    qlonglong m_declaredLength = 0;
    int m_status = 0;
    bool m_failed = false;
    bool m_ended = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

std::unique_ptr<VersionTransfer> start(QObject &, const QUrl &url, const QString &userAgent, qint64 readBuffer,
                                       VersionTransfer::Events events)
{
    return std::make_unique<SocketTransfer>(url, userAgent, readBuffer, events);
}

} // namespace

extern "C" Q_DECL_EXPORT StartVersionTransfer tessaroVersionTransferStarter()
{
    return &start;
}
