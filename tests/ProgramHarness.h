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
#include <unistd.h>

using namespace Qt::StringLiterals;

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
    explicit ProgramHarness(const QString &name) : m_program(qEnvironmentVariable("TESSARO_BIN_DIR") + u'/' + name) {}

    ~ProgramHarness()
    {
        // Only a harness with an X server of its own has started helpers;
        // any other would end those of a test running beside it.
        if (hasDisplay()) {
            for (qint64 pid : helpers())
                ::kill(pid_t(pid), SIGTERM);
        }
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }

    const QString &program() const { return m_program; }
    bool isExecutable() const { return QFileInfo(m_program).isExecutable(); }

    // Starts Xvfb on a free display from firstDisplay on. Returns an error
    // text, or an empty one when the server runs or Xvfb/xclip are missing.
    QString startXServer(int firstDisplay)
    {
        if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty() || QStandardPaths::findExecutable(u"xclip"_s).isEmpty())
            return {};
        for (int n = firstDisplay + int(QCoreApplication::applicationPid() % 50); n < firstDisplay + 110; ++n) {
            const QString socket = u"/tmp/.X11-unix/X%1"_s.arg(n);
            if (QFileInfo::exists(socket) || QFileInfo::exists(u"/tmp/.X%1-lock"_s.arg(n)))
                continue;
            m_xvfb.start(u"Xvfb"_s, {u":%1"_s.arg(n), u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s, u"640x480x24"_s});
            if (!QTest::qWaitFor([&] { return QFileInfo::exists(socket) || m_xvfb.state() == QProcess::NotRunning; },
                                 10000))
                return u"Xvfb did not open its display"_s;
            if (m_xvfb.state() == QProcess::Running) {
                m_display = u":%1"_s.arg(n);
                return {};
            }
        }
        return u"Xvfb did not start on any display"_s;
    }

    bool hasDisplay() const { return !m_display.isEmpty(); }

    QProcessEnvironment environment(bool withDisplay) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &name :
             {u"WAYLAND_DISPLAY"_s, u"DBUS_SESSION_BUS_ADDRESS"_s, u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s})
            env.remove(name); // no session bus, as on a bare X server
        if (withDisplay)
            env.insert(u"DISPLAY"_s, m_display);
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

    Run run(const QStringList &arguments, bool withDisplay) const { return start(m_program, arguments, withDisplay); }

    // A bash script with the program as $0.
    Run shell(const QString &script, bool withDisplay = false) const
    {
        return start(u"bash"_s, {u"-c"_s, script, m_program}, withDisplay);
    }

    QString xclip(const QStringList &arguments) const
    {
        return QString::fromUtf8(start(u"xclip"_s, arguments, true).out);
    }

    QString clipboardText() const { return xclip({u"-o"_s, u"-selection"_s, u"clipboard"_s}); }

    // Another program takes the clipboard; xclip stays behind to serve it.
    bool takeClipboard(const QString &text) const
    {
        return start(u"sh"_s,
                     {u"-c"_s, u"printf %s \"$1\" | xclip -i -selection clipboard >/dev/null 2>&1"_s, u"sh"_s, text},
                     true)
                   .exitCode == 0;
    }

    // The clipboard helpers of this build's program: started as it, in a
    // session of their own. Found through what /proc shows of a process that
    // hides its memory and environment (cmdline and stat).
    QList<qint64> helpers() const
    {
        QList<qint64> found;
        const QByteArray ownSession = QByteArray::number(::getsid(0));
        for (QDirIterator it(u"/proc"_s, QDir::Dirs | QDir::NoDotAndDotDot); it.hasNext();) {
            it.next();
            QFile cmdline(it.filePath() + u"/cmdline"_s), stat(it.filePath() + u"/stat"_s);
            if (!cmdline.open(QIODevice::ReadOnly) ||
                cmdline.readAll().split('\0').value(0) != m_program.toLocal8Bit() || !stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray fields = stat.readAll();
            // After the name: state, parent, group, session.
            if (fields.mid(fields.lastIndexOf(')') + 2).split(' ').value(3) != ownSession)
                found.append(it.fileName().toLongLong());
        }
        return found;
    }

    // Without a session bus libdbus may autolaunch a dbus-daemon that outlives
    // the program, its address under ~/.dbus. Ends it; says whether there was one.
    static bool endAutolaunchedBus()
    {
        const QString folder = QDir::homePath() + u"/.dbus"_s;
        for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
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
    Run start(const QString &program, const QStringList &arguments, bool withDisplay) const
    {
        QProcess process;
        process.setProcessEnvironment(environment(withDisplay));
        process.start(program, arguments);
        return finish(process);
    }

    QString m_program;
    QProcess m_xvfb;
    QString m_display;
};

// Skips the current test where no X server could be started.
#define REQUIRE_X_SERVER(harness)                                                                                      \
    if (!(harness).hasDisplay())                                                                                       \
    QSKIP("Xvfb or xclip is not installed: the clipboard cannot be checked here")
