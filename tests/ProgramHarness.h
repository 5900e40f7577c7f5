#pragma once

// Runs one of the program's executables as a user or a script would, and
// when Xvfb and xclip are installed, a private X server to check what
// reaches the clipboard and the helper that keeps serving it.

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <signal.h>

class ProgramHarness
{
public:
    struct Run
    {
        int exitCode = -1;
        bool crashed = true;
        QByteArray out;
        QByteArray err;
    };

    // name: an executable in the build's bin folder (TESSARO_BIN_DIR).
    explicit ProgramHarness(const QString &name)
        : m_program(qEnvironmentVariable("TESSARO_BIN_DIR") + QLatin1Char('/') + name)
    {}

    ~ProgramHarness()
    {
        for (qint64 pid : helpers())
            ::kill(pid_t(pid), SIGTERM);
        if (m_xvfb.state() == QProcess::Running) {
            m_xvfb.terminate();
            m_xvfb.waitForFinished(5000);
        }
    }

    const QString &program() const { return m_program; }
    bool isExecutable() const { return QFileInfo(m_program).isExecutable(); }

    // Starts Xvfb on a free display from firstDisplay on. Returns an error
    // text, or an empty one when the server runs or Xvfb/xclip are missing.
    QString startXServer(int firstDisplay)
    {
        using namespace Qt::StringLiterals;
        if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty() || QStandardPaths::findExecutable(u"xclip"_s).isEmpty())
            return {};
        for (int number = firstDisplay + int(QCoreApplication::applicationPid() % 50); number < firstDisplay + 110;
             ++number) {
            const QString socket = u"/tmp/.X11-unix/X%1"_s.arg(number);
            if (QFileInfo::exists(socket) || QFileInfo::exists(u"/tmp/.X%1-lock"_s.arg(number)))
                continue;
            m_xvfb.start(u"Xvfb"_s,
                         {u":%1"_s.arg(number), u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s, u"640x480x24"_s});
            if (!m_xvfb.waitForStarted())
                return u"Xvfb did not start"_s;
            if (!QTest::qWaitFor([&] { return QFileInfo::exists(socket) || m_xvfb.state() == QProcess::NotRunning; },
                                 10000))
                return u"Xvfb did not open its display"_s;
            if (m_xvfb.state() == QProcess::Running) {
                m_display = u":%1"_s.arg(number);
                return {};
            }
        }
        return u"Xvfb did not start on any display"_s;
    }

    bool hasDisplay() const { return !m_display.isEmpty(); }

    QProcessEnvironment environment(bool withDisplay) const
    {
        using namespace Qt::StringLiterals;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"WAYLAND_DISPLAY"_s);
        env.remove(u"DBUS_SESSION_BUS_ADDRESS"_s); // no session bus, as on a bare X server
        env.remove(u"QT_QPA_PLATFORM"_s);
        if (withDisplay)
            env.insert(u"DISPLAY"_s, m_display);
        else
            env.remove(u"DISPLAY"_s);
        return env;
    }

    static Run finish(QProcess &process)
    {
        Run result;
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitCode = process.exitCode();
        result.crashed = process.exitStatus() != QProcess::NormalExit;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    Run run(const QStringList &arguments, bool withDisplay) const
    {
        QProcess process;
        process.setProcessEnvironment(environment(withDisplay));
        process.start(m_program, arguments);
        return finish(process);
    }

    QString xclip(const QStringList &arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(environment(true));
        process.start(QStringLiteral("xclip"), arguments);
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QString clipboardText() const
    {
        return xclip({QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    }

    // Another program takes the clipboard. xclip stays behind in the
    // background to serve it, detached from the test.
    bool takeClipboard(const QString &text) const
    {
        QProcess shell;
        shell.setProcessEnvironment(environment(true));
        shell.start(QStringLiteral("sh"),
                    {QStringLiteral("-c"),
                     QStringLiteral("printf %s \"$1\" | xclip -i -selection clipboard >/dev/null 2>&1"),
                     QStringLiteral("sh"), text});
        return shell.waitForFinished(10000);
    }

    // The program's processes that are still running and were started by
    // this test (they carry its home): its clipboard helpers. Nothing when
    // the program is missing, so no unresolved process can match.
    QList<qint64> helpers() const
    {
        QList<qint64> found;
        const QString target = QFileInfo(m_program).canonicalFilePath();
        if (target.isEmpty())
            return found;
        const QByteArray ownHome = "HOME=" + qgetenv("HOME");
        QDirIterator it(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            bool isPid = false;
            const qint64 pid = it.fileName().toLongLong(&isPid);
            if (!isPid || QFileInfo(it.filePath() + QStringLiteral("/exe")).canonicalFilePath() != target)
                continue;
            QFile environ(it.filePath() + QStringLiteral("/environ"));
            if (environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(ownHome))
                found.append(pid);
        }
        return found;
    }

    // Without a session bus libdbus may autolaunch one: a dbus-daemon that
    // outlives the program, its address under ~/.dbus. Ends such a daemon
    // and says whether there was one.
    static bool endAutolaunchedBus()
    {
        const QString folder = QDir::homePath() + QStringLiteral("/.dbus");
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            file.open(QIODevice::ReadOnly);
            for (const QByteArray &line : file.readAll().split('\n')) {
                const pid_t daemon = line.startsWith("DBUS_SESSION_BUS_PID=") ? pid_t(line.mid(21).toInt()) : 0;
                if (daemon > 0) // never 0: that would be our own process group
                    ::kill(daemon, SIGTERM);
            }
        }
        return QFileInfo::exists(folder) && QDir(folder).removeRecursively();
    }

private:
    QString m_program;
    QProcess m_xvfb;
    QString m_display;
};

// Skips the current test where no X server could be started.
#define REQUIRE_X_SERVER(harness)                                                                                      \
    do {                                                                                                               \
        if (!(harness).hasDisplay())                                                                                   \
            QSKIP("Xvfb or xclip is not installed: the clipboard cannot be checked here");                             \
    } while (false)
