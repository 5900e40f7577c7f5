// The update check against hostile servers, as the window runs it: the time
// until the message, the window process's peak resident memory while the
// check runs, and the longest the event loop was kept from running.
//
//   endless error page   500, then a body that never ends, as fast as the
//                        loopback takes it
//   slow redirect        302 to a server that sends one byte a second
//
// The server is a forked child with plain sockets, so that its sending never
// waits for the window's event loop.

#include "BenchSupport.h"

#include "core/update/VersionCheck.h"
#include "platform/messages/MessageBoxes.h"
#include "platform/shell/RecordingShell.h"
#include "window/update/UpdateNotifier.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <arpa/inet.h>
#include <csignal>
#include <cstring>
#include <functional>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void writeAll(int fd, const QByteArray &bytes)
{
    if (::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) != bytes.size())
        ::_exit(0); // the client went away
}

[[noreturn]] void serveConnection(int fd, bool slowRedirect)
{
    char request[4096];
    const ssize_t got = ::recv(fd, request, sizeof request, 0);
    const bool toSlowPart = got > 0 && QByteArray(request, int(got)).startsWith("GET /slow");
    if (!slowRedirect) {
        writeAll(fd, "HTTP/1.1 500 Oops\r\nConnection: close\r\n\r\n");
        const QByteArray chunk(64 * 1024, 'x');
        for (;;)
            writeAll(fd, chunk);
    }
    if (!toSlowPart) {
        writeAll(fd, "HTTP/1.1 302 Found\r\nLocation: /slow\r\nContent-Length: 0\r\n\r\n");
        ::_exit(0);
    }
    writeAll(fd, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
    for (;;) {
        writeAll(fd, "<");
        ::sleep(1);
    }
}

// Forks the server; returns its pid and port.
std::pair<pid_t, quint16> startServer(bool slowRedirect)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr *>(&address), length) != 0 || ::listen(listener, 8) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        qFatal("cannot listen on 127.0.0.1");
    const pid_t server = ::fork();
    if (server == 0) {
        std::signal(SIGCHLD, SIG_IGN);
        for (;;) {
            const int fd = ::accept(listener, nullptr, nullptr);
            if (fd >= 0 && ::fork() == 0)
                serveConnection(fd, slowRedirect);
            ::close(fd);
        }
    }
    ::close(listener);
    return {server, ntohs(address.sin_port)};
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void measure(QWidget &window, const char *what, bool slowRedirect)
{
    const auto [server, port] = startServer(slowRedirect);
    qputenv("TESSARO_SITE_URL", QByteArray("http://127.0.0.1:") + QByteArray::number(port) + "/");

    QElapsedTimer clock;
    qint64 messageAt = -1;
    QString message;
    // The first message box the check asks for, and when.
    struct TimedMessages final : MessageBoxes
    {
        std::function<void(const QString &)> seen;
        Answer show(const Message &shown) override
        {
            seen(shown.text);
            return Answer::Ok;
        }
    } messages;
    messages.seen = [&](const QString &text) {
        messageAt = clock.elapsed();
        message = text;
    };
    RecordingShell shell;
    UpdateNotifier notifier(&window, messages, shell);
    double peak = residentMegabytes();
    qint64 lastTick = 0, longestStall = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        peak = qMax(peak, residentMegabytes());
        longestStall = qMax(longestStall, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    clock.start();
    sampler.start(10);
    notifier.start();
    while (messageAt < 0 && clock.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ::kill(server, SIGKILL);
    ::waitpid(server, nullptr, 0);
    std::printf("%-22s message after %6lld ms (\"%s\"), peak RSS %6.1f MB, longest stall %lld ms\n", what, messageAt,
                qPrintable(message), peak, longestStall);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    BenchSupport::isolatedHome();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    measure(window, "endless error page", false);
    measure(window, "slow redirect", true);
    return 0;
}
