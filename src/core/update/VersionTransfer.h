#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

// One HTTP GET of the version check. It lives in the module
// tessaro_version_transfer, the one part of the program that links Qt
// Network (and through it Kerberos, the proxy library and more), so that
// those libraries are loaded by the first check, not at every start.
// Redirects are not followed: the check decides on each hop itself.
class VersionTransfer
{
public:
    // Called on the thread that started the transfer, later, never from
    // inside start: headers when the status line and headers are in, data
    // when more of the body can be read, finished once at the end.
    struct Events
    {
        std::function<void()> headers;
        std::function<void()> data;
        std::function<void()> finished;
    };

    // Deleting a transfer stops it at once: no byte more is read, no event follows.
    virtual ~VersionTransfer() = default;

    virtual int status() const = 0; // the HTTP status, 0 until the headers are in
    virtual QUrl url() const = 0;
    virtual QUrl redirectTarget() const = 0;      // as sent, perhaps relative; empty when none
    virtual qlonglong declaredLength() const = 0; // Content-Length, 0 when not sent
    virtual QByteArray read(qint64 most) = 0;
    virtual bool failed() const = 0; // the transfer or the server reported an error
};

// Starts a GET of url; the network reads no further ahead than readBuffer
// bytes. What the transfer keeps between transfers is owned by owner.
using StartVersionTransfer = std::unique_ptr<VersionTransfer> (*)(QObject &owner, const QUrl &url,
                                                                  const QString &userAgent, qint64 readBuffer,
                                                                  VersionTransfer::Events events);

// The module's entry point, looked up by this name.
extern "C" StartVersionTransfer tessaroVersionTransferStarter();
