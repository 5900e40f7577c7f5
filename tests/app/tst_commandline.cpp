#include "TestSupport.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <signal.h>

using namespace Qt::StringLiterals;

// `tessaro MASK` against a real X server: the password must still be on
// the clipboard after the command has returned.
class TestCommandLine : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    QString m_program;
    QProcess m_xvfb;
    QString m_display;

    QProcessEnvironment environment(bool withDisplay) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"WAYLAND_DISPLAY"_s);
        env.remove(u"QT_QPA_PLATFORM"_s);
        if (withDisplay)
            env.insert(u"DISPLAY"_s, m_display);
        else
            env.remove(u"DISPLAY"_s);
        return env;
    }

    struct Run
    {
        int exitCode = -1;
        bool crashed = true;
        QByteArray out;
        QByteArray err;
    };

    Run run(const QStringList &arguments, bool withDisplay = true) const
    {
        QProcess process;
        process.setProcessEnvironment(environment(withDisplay));
        process.start(m_program, arguments);
        Run result;
        if (!process.waitForFinished(15000)) {
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

    QString xclip(const QStringList &arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(environment(true));
        process.start(u"xclip"_s, arguments);
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // Another program takes the clipboard. xclip stays behind in the
    // background to serve it, detached from this test.
    void takeClipboard(const QString &text) const
    {
        QProcess shell;
        shell.setProcessEnvironment(environment(true));
        shell.start(u"sh"_s,
                    {u"-c"_s, u"printf %s \"$1\" | xclip -i -selection clipboard >/dev/null 2>&1"_s, u"sh"_s, text});
        QVERIFY(shell.waitForFinished(10000));
    }

    QString clipboardText() const { return xclip({u"-o"_s, u"-selection"_s, u"clipboard"_s}); }

    // The clipboard helpers of the program that are still running.
    QList<qint64> helpers() const
    {
        QList<qint64> found;
        const QString target = QFileInfo(m_program).canonicalFilePath();
        QDirIterator it(u"/proc"_s, QDir::Dirs | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            bool isPid = false;
            const qint64 pid = it.fileName().toLongLong(&isPid);
            if (isPid && QFileInfo(it.filePath() + u"/exe"_s).canonicalFilePath() == target)
                found.append(pid);
        }
        return found;
    }

    void requireX()
    {
        if (m_display.isEmpty())
            QSKIP("Xvfb or xclip is not installed: the clipboard hand-over cannot be checked here");
    }

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        m_program = qEnvironmentVariable("TESSARO_BIN_DIR") + u"/tessaro"_s;
        QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));

        if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty() || QStandardPaths::findExecutable(u"xclip"_s).isEmpty())
            return;
        for (int number = 90 + (QCoreApplication::applicationPid() % 50); number < 200; ++number) {
            if (QFileInfo::exists(u"/tmp/.X11-unix/X%1"_s.arg(number)) ||
                QFileInfo::exists(u"/tmp/.X%1-lock"_s.arg(number)))
                continue;
            m_xvfb.start(u"Xvfb"_s,
                         {u":%1"_s.arg(number), u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s, u"640x480x24"_s});
            QVERIFY(m_xvfb.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(u"/tmp/.X11-unix/X%1"_s.arg(number)) ||
                                         m_xvfb.state() == QProcess::NotRunning,
                                     10000);
            if (m_xvfb.state() == QProcess::Running) {
                m_display = u":%1"_s.arg(number);
                break;
            }
        }
        QVERIFY2(!m_display.isEmpty(), "Xvfb did not start");
    }

    void cleanupTestCase()
    {
        for (qint64 pid : helpers())
            ::kill(pid_t(pid), SIGTERM);
        if (m_xvfb.state() == QProcess::Running) {
            m_xvfb.terminate();
            m_xvfb.waitForFinished(5000);
        }
    }

    void init() { m_home->resetStore(); }

    void passwordStaysOnTheClipboardAfterTheCommandEnds()
    {
        requireX();
        TestSupport::writeStartupDefaults();
        const QByteArray before = QFile::exists(m_home->settingsFile()) ? QByteArray("present") : QByteArray();
        const Run result = run({u"X#x@"_s});
        QCOMPARE(result.crashed, false);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.isEmpty());
        QVERIFY(!before.isEmpty());

        const QString password = clipboardText();
        const QRegularExpression shape(u"^[A-Z][0-9][a-z][^\\sA-Za-z0-9]$"_s);
        QVERIFY2(shape.match(password).hasMatch(), qPrintable(password));
        QVERIFY(password.at(3).unicode() >= 123);

        // The hint that asks clipboard managers not to keep it is offered too.
        QVERIFY(xclip({u"-o"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, u"TARGETS"_s})
                    .contains(u"x-kde-passwordManagerHint"_s));
        QCOMPARE(xclip({u"-o"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, u"x-kde-passwordManagerHint"_s}),
                 u"secret"_s);
    }

    void argumentsAreJoinedAndAnEmptyStoreCopiesTheMask()
    {
        requireX();
        const Run result = run({u"X#"_s, u"x@"_s});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(clipboardText(), u"X# x@"_s);
        // Nothing was written: the command-line run writes no setting.
        QVERIFY(!QFile::exists(m_home->settingsFile()));
    }

    void helperEndsWhenAnotherProgramTakesTheClipboard()
    {
        requireX();
        TestSupport::writeStartupDefaults();
        const QList<qint64> before = helpers();
        QCOMPARE(run({u"Xx##"_s}).exitCode, 0);
        qint64 helper = 0;
        for (qint64 pid : helpers()) {
            if (!before.contains(pid))
                helper = pid;
        }
        QVERIFY2(helper, "no clipboard helper is serving the password");

        takeClipboard(u"taken by someone else"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!helpers().contains(helper), 15000);
        QCOMPARE(clipboardText(), u"taken by someone else"_s);
    }

    void returnsAtOnceInsideCommandSubstitution()
    {
        requireX();
        TestSupport::writeStartupDefaults();
        QProcess shell;
        shell.setProcessEnvironment(environment(true));
        shell.start(u"sh"_s, {u"-c"_s, u"out=$(\"$0\" Xx##); echo \"status $? [$out]\""_s.replace(u"$0"_s, m_program)});
        QVERIFY2(shell.waitForFinished(10000), "the command substitution waited for the clipboard helper");
        QCOMPARE(shell.readAllStandardOutput(), QByteArray("status 0 []\n"));
    }

    void emptyPasswordIsAFailure()
    {
        requireX();
        TestSupport::writeStartupDefaults();
        Settings::write(Settings::Name::GenOpt, u"1"_s);
        Settings::write(Settings::Name::Numeric, QString());
        const Run result = run({u"####"_s});
        QCOMPARE(result.crashed, false);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err.count('\n'), 1);
        QVERIFY(result.err.startsWith("tessaro: "));
        QCOMPARE(clipboardText(), QString());
    }

    void withoutADisplayItFailsCleanly()
    {
        const Run result = run({u"Xx##"_s}, false);
        QCOMPARE(result.crashed, false);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err.count('\n'), 1);
        QVERIFY(result.err.startsWith("tessaro: "));
    }

    void unreachableDisplayFailsCleanly()
    {
        QProcess process;
        QProcessEnvironment env = environment(false);
        env.insert(u"DISPLAY"_s, u":431"_s);
        process.setProcessEnvironment(env);
        process.start(m_program, {u"Xx##"_s});
        QVERIFY(process.waitForFinished(15000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(process.readAllStandardError().count('\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
