#pragma once

// A tiny HTTP/1.1 server on 127.0.0.1 for the version-check tests. Each path
// gets a canned answer; unknown paths get 404. It never listens on any other
// address.

#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

class LocalHttpServer : public QObject
{
public:
    struct Answer
    {
        // status 0: accept the request, never answer
        int status = 200;
        QByteArray body;
        QByteArray location;  // sent as a Location header when not empty
        bool endless = false; // no length; the body is sent again and again, the connection never closes
        int dripMs = 0;       // with endless: the body's bytes go one per dripMs milliseconds
        QByteArray head;      // with endless: sent instead of the status line and headers

        Answer(int status = 200, const QByteArray &body = {}, const QByteArray &location = {})
            : status(status), body(body), location(location)
        {}
        Answer withoutEnd(int dripMs = 0, const QByteArray &head = {}) const
        {
            Answer answer = *this;
            answer.endless = true;
            answer.dripMs = dripMs;
            answer.head = head;
            return answer;
        }
    };

    LocalHttpServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
        if (!m_server.listen(QHostAddress::LocalHost))
            qFatal("cannot listen on 127.0.0.1");
    }

    void answer(const QString &path, const Answer &answer) { m_answers.insert(path, answer); }
    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    quint16 port() const { return m_server.serverPort(); }
    int requests() const { return m_requests; }
    qint64 bytesSent() const { return m_bytesSent; }
    // Connections the client has not closed yet.
    int openConnections() const { return findChildren<QTcpSocket *>().size(); }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::bytesWritten, this, [this](qint64 sent) { m_bytesSent += sent; });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    }

    void serve(QTcpSocket *socket)
    {
        QByteArray &request = m_pending[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        ++m_requests;
        const QString path = QString::fromLatin1(request.split(' ').value(1));
        request.clear();
        const Answer answer = m_answers.value(path, Answer(404, "no such file"));
        if (answer.status == 0)
            return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " Canned\r\nConnection: close\r\n";
        if (!answer.endless)
            head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
        if (!answer.location.isEmpty())
            head += "Location: " + answer.location + "\r\n";
        head += "Content-Type: application/xml\r\n\r\n";
        socket->write(answer.head.isEmpty() ? head + (answer.dripMs ? QByteArray() : answer.body) : answer.head);
        if (!answer.endless)
            return socket->disconnectFromHost();
        // More whenever the last has gone out (a 0 ms timer runs at every turn
        // of the event loop), or one byte each dripMs.
        const QByteArray more =
            answer.dripMs ? answer.body.left(1) : answer.body.repeated(65536 / answer.body.size() + 1);
        auto *timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket, more] {
            if (socket->bytesToWrite() < 4 * more.size())
                socket->write(more);
        });
        timer->start(answer.dripMs);
    }

    QTcpServer m_server;
    QHash<QString, Answer> m_answers;
    QHash<QTcpSocket *, QByteArray> m_pending;
    int m_requests = 0;
    qint64 m_bytesSent = 0;
};

Q_DECLARE_METATYPE(LocalHttpServer::Answer)
