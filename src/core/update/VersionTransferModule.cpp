// The module tessaro_version_transfer: the version check's GET over Qt Network.

#include "core/update/VersionTransfer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <array>

namespace {

class NetworkTransfer : public VersionTransfer
{
public:
    NetworkTransfer(QNetworkAccessManager &network, const QUrl &url, const QString &userAgent, qint64 readBuffer,
                    const Events &events)
    {
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
        m_reply = network.get(request);
        m_reply->setReadBufferSize(readBuffer);
        // Each event is called through a copy held by the connection, so that
        // it may delete this transfer.
        m_events = {QObject::connect(m_reply, &QNetworkReply::metaDataChanged, m_reply, events.headers),
                    QObject::connect(m_reply, &QNetworkReply::readyRead, m_reply, events.data),
                    QObject::connect(m_reply, &QNetworkReply::finished, m_reply, events.finished)};
    }

    ~NetworkTransfer() override
    {
        // Only our own connections: Qt's bookkeeping of the reply stays.
        for (const QMetaObject::Connection &connection : m_events)
            QObject::disconnect(connection);
        m_reply->abort();
        m_reply->deleteLater();
    }

    int status() const override { return m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); }
    QUrl url() const override { return m_reply->url(); }
    QUrl redirectTarget() const override
    {
        return m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    }
    qlonglong declaredLength() const override
    {
        return m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    }
    QByteArray read(qint64 most) override { return m_reply->read(most); }
    bool failed() const override { return m_reply->error() != QNetworkReply::NoError; }

private:
    QNetworkReply *m_reply = nullptr;
    std::array<QMetaObject::Connection, 3> m_events;
};

std::unique_ptr<VersionTransfer> start(QObject &owner, const QUrl &url, const QString &userAgent, qint64 readBuffer,
                                       VersionTransfer::Events events)
{
    // One network access manager for all of an owner's transfers, gone with the owner.
    auto *network = owner.findChild<QNetworkAccessManager *>(QString(), Qt::FindDirectChildrenOnly);
    if (!network)
        network = new QNetworkAccessManager(&owner);
    return std::make_unique<NetworkTransfer>(*network, url, userAgent, readBuffer, events);
}

} // namespace

extern "C" Q_DECL_EXPORT StartVersionTransfer tessaroVersionTransferStarter()
{
    return &start;
}
