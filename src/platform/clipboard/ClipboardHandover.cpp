#include "platform/clipboard/ClipboardHandover.h"

#include "platform/clipboard/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ClipboardHandover {

namespace {

constexpr int kReadyTimeoutMs = 5000;

void redirectStandardStreamsToNull()
{
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0)
        return;
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    if (null > STDERR_FILENO)
        ::close(null);
}

// Leaves only the standard streams and keepFd open; returns keepFd's new number.
int closeInheritedDescriptors(int keepFd)
{
    const int target = 3;
    if (keepFd != target) {
        ::dup2(keepFd, target);
        ::close(keepFd);
    }
    ::fcntl(target, F_SETFD, FD_CLOEXEC);
    const long maxFd = ::sysconf(_SC_OPEN_MAX);
    for (long fd = target + 1; fd < (maxFd > 0 ? maxFd : 1024); ++fd)
        ::close(int(fd));
    return target;
}

void quietFatalHandler(QtMsgType type, const QMessageLogContext &, const QString &)
{
    // No display, or the display went away: end quietly instead of dumping core.
    if (type == QtFatalMsg)
        ::_exit(1);
}

[[noreturn]] void runX11Helper(int readyFd, const QString &text, int clearAfterSeconds)
{
    if (::chdir("/") != 0) {
        // Nothing depends on the working folder; staying is harmless.
    }
    readyFd = closeInheritedDescriptors(readyFd);
    redirectStandardStreamsToNull();
    qInstallMessageHandler(quietFatalHandler);
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The helper needs no D-Bus. Without a session bus, Qt's first use of it
    // (accessibility, the platform theme) would make libdbus autolaunch a
    // dbus-daemon that outlives us and write ~/.dbus; an address of an
    // unknown kind makes every connection fail at once instead.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");

    int argc = 1;
    char name[] = "tessaro";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(Clipboard::passwordMimeData(text));
    const bool owned = clipboard->ownsClipboard();
    const char answer = owned ? '1' : '0';
    if (::write(readyFd, &answer, 1) != 1) {
        // The parent is gone; serve all the same.
    }
    ::close(readyFd);
    if (!owned)
        ::_exit(1);

    const auto quitWhenTaken = [&] {
        if (!clipboard->ownsClipboard())
            app.quit();
    };
    QObject::connect(clipboard, &QClipboard::dataChanged, &app, quitWhenTaken);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, quitWhenTaken);
    watch.start(1000);
    if (clearAfterSeconds > 0) {
        QTimer::singleShot(clearAfterSeconds * 1000, &app, [&] {
            if (clipboard->ownsClipboard() && clipboard->text() == text)
                clipboard->clear();
            app.quit();
        });
    }
    app.exec();
    ::_exit(0);
}

Outcome serveX11(const QString &text, int clearAfterSeconds)
{
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0)
        return Outcome::failure(
            QStringLiteral("cannot start the clipboard helper: %1").arg(QString::fromLocal8Bit(strerror(errno))));

    const pid_t child = ::fork();
    if (child < 0) {
        ::close(ready[0]);
        ::close(ready[1]);
        return Outcome::failure(
            QStringLiteral("cannot start the clipboard helper: %1").arg(QString::fromLocal8Bit(strerror(errno))));
    }
    if (child == 0) {
        ::close(ready[0]);
        ::setsid();
        ::signal(SIGHUP, SIG_IGN);
        const pid_t helper = ::fork();
        if (helper != 0)
            ::_exit(helper < 0 ? 1 : 0);
        runX11Helper(ready[1], text, clearAfterSeconds);
    }

    ::close(ready[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }

    char answer = 0;
    pollfd waitFor{ready[0], POLLIN, 0};
    if (::poll(&waitFor, 1, kReadyTimeoutMs) > 0 && ::read(ready[0], &answer, 1) != 1)
        answer = 0;
    ::close(ready[0]);
    if (answer == '1')
        return {};
    return Outcome::failure(QStringLiteral("could not put the password on the clipboard of display %1")
                                .arg(QString::fromLocal8Bit(qgetenv("DISPLAY"))));
}

// Runs wl-copy with the text on its standard input. wl-copy forks into the
// background itself and keeps serving; its streams go to /dev/null so that
// a caller reading our output is not kept waiting.
bool runWlCopy(const QString &program, const QByteArray &text, bool clear)
{
    int input[2];
    if (::pipe2(input, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(input[0]);
        ::close(input[1]);
        return false;
    }
    if (child == 0) {
        ::dup2(input[0], STDIN_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        const QByteArray path = program.toLocal8Bit();
        if (clear)
            ::execl(path.constData(), path.constData(), "--clear", static_cast<char *>(nullptr));
        else
            ::execl(path.constData(), path.constData(), "--type", "text/plain;charset=utf-8",
                    static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(input[0]);
    qsizetype written = 0;
    while (!clear && written < text.size()) {
        const ssize_t n = ::write(input[1], text.constData() + written, size_t(text.size() - written));
        if (n <= 0)
            break;
        written += n;
    }
    ::close(input[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

Outcome serveWayland(const QString &text, int clearAfterSeconds)
{
    const QString wlCopy = QStandardPaths::findExecutable(QStringLiteral("wl-copy"));
    if (wlCopy.isEmpty())
        return Outcome::failure(QStringLiteral("cannot put the password on the Wayland clipboard: install wl-clipboard "
                                               "(the wl-copy command)"));
    const QByteArray bytes = text.toUtf8();
    if (!runWlCopy(wlCopy, bytes, false))
        return Outcome::failure(QStringLiteral("wl-copy could not put the password on the clipboard"));
    if (clearAfterSeconds > 0) {
        const QString wlPaste = QStandardPaths::findExecutable(QStringLiteral("wl-paste"));
        const pid_t child = ::fork();
        if (child == 0) {
            ::setsid();
            if (::fork() != 0)
                ::_exit(0);
            redirectStandardStreamsToNull();
            ::sleep(unsigned(clearAfterSeconds));
            // Clear only when the clipboard still holds the password.
            bool stillOurs = false;
            if (!wlPaste.isEmpty()) {
                const QByteArray command = wlPaste.toLocal8Bit() + " --no-newline";
                if (FILE *pipe = ::popen(command.constData(), "r")) {
                    QByteArray current;
                    char buffer[4096];
                    size_t n;
                    while ((n = ::fread(buffer, 1, sizeof buffer, pipe)) > 0)
                        current.append(buffer, qsizetype(n));
                    ::pclose(pipe);
                    stillOurs = current == bytes;
                }
            }
            if (stillOurs)
                runWlCopy(wlCopy, {}, true);
            ::_exit(0);
        }
        if (child > 0) {
            int status = 0;
            ::waitpid(child, &status, 0);
        }
    }
    return {};
}

} // namespace

Outcome serve(const QString &text, int clearAfterSeconds)
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        return serveX11(text, clearAfterSeconds);
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return serveWayland(text, clearAfterSeconds);
    return Outcome::failure(QStringLiteral("no display to put the password on the clipboard (neither DISPLAY nor "
                                           "WAYLAND_DISPLAY is set)"));
}

} // namespace ClipboardHandover
