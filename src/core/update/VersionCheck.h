#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include "core/update/VersionTransfer.h"

#include <chrono>
#include <memory>

// The version check (the window's control wChk): fetches the version
// document at `url`, reads the version it announces and compares it with the
// running `version`. A newer version raises newVersion(); an up-to-date
// program hears nothing at all; a failure raises error() with one of the
// codes below. start() returns at once; the answer arrives later on the
// thread that owns the object, one signal per check.
//
// Only https addresses are fetched (and http to 127.0.0.1 or localhost with a
// port, for tests); at most three redirects are followed, never to another
// scheme; one deadline covers the whole check; at most 64 KiB is read from
// any response, and a longer one is abandoned at once.
class VersionCheck : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QUrl url READ url WRITE setUrl)
    Q_PROPERTY(QString version READ version WRITE setVersion)
    Q_PROPERTY(bool xmlfile READ xmlfile CONSTANT)

public:
    enum ErrorCode {
        FileNotFound = -1,     // the server says the document does not exist (HTTP 404, 410)
        CannotConnect = -2,    // the site could not be reached, or refused the request
        NoParser = -3,         // no XML parser could be created (never happens with Qt's reader)
        DocumentNotParsed = -4 // not a well-formed version document, or too large
    };
    Q_ENUM(ErrorCode)

    static constexpr qint64 MaxDocumentSize = 64 * 1024;
    static constexpr int MaxRedirects = 3;
    static constexpr std::chrono::milliseconds DefaultTimeout{10'000};

    // Starts with the site's version document and this program's version.
    explicit VersionCheck(QObject *parent = nullptr);
    ~VersionCheck() override;

    QUrl url() const { return m_url; }
    void setUrl(const QUrl &url) { m_url = url; }
    QString version() const { return m_version; }
    void setVersion(const QString &version) { m_version = version; }
    // The document is always XML.
    bool xmlfile() const { return true; }

    // The longest a whole check may take, redirects included.
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    // Begins a check. Does nothing while one is running.
    void start();
    bool isRunning() const { return m_running; }

    // Compares two versions part by part as numbers, a missing part counting
    // as 0: negative when a is older than b, 0 when equal, positive when newer.
    // A text that is not a version counts as 0.
    static int compareVersions(const QString &a, const QString &b);

    // How every check starts its transfers, instead of the module's way
    // (for programs that link the transfer themselves, such as the tests).
    static void useTransfers(StartVersionTransfer start);

signals:
    // The announced version (normalised, as the notice shows it), the
    // download address, the release date and the note.
    void newVersion(const QString &version, const QString &download, const QString &date, const QString &note);
    void error(int code);

private:
    void request(const QUrl &url);
    bool followRedirect();
    // Settles a response that is not a success; false for a success.
    bool concludeFromStatus();
    void onHeaders();
    void onDataArrived();
    // Moves what has arrived into m_body; false once it exceeds the limit.
    bool takeBody();
    void onFinished();
    void fail(ErrorCode code);
    void dropReply();
    void finish();

    QUrl m_url;
    QString m_version;
    std::chrono::milliseconds m_timeout = DefaultTimeout;
    std::unique_ptr<VersionTransfer> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    int m_redirects = 0;
    bool m_running = false;
};
