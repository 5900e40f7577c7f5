#include "ProgramHarness.h"
#include "TestSupport.h"

#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

// `tessaro MASK` against a real X server: the password must still be on
// the clipboard after the command has returned.
class TestCommandLine : public QObject
{
    Q_OBJECT

private:
    using Run = ProgramHarness::Run;
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<ProgramHarness> m_tessaro;
    QString m_program;

    QProcessEnvironment environment(bool withDisplay) const { return m_tessaro->environment(withDisplay); }
    Run run(const QStringList &arguments, bool withDisplay = true) const
    {
        return m_tessaro->run(arguments, withDisplay);
    }

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        m_tessaro = std::make_unique<ProgramHarness>(u"tessaro"_s);
        m_program = m_tessaro->program();
        QVERIFY2(m_tessaro->isExecutable(), qPrintable(m_program));
        const QString error = m_tessaro->startXServer(90);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void cleanupTestCase() { m_tessaro.reset(); }

    void init() { m_home->resetStore(); }

    void passwordStaysOnTheClipboardAfterTheCommandEnds()
    {
        REQUIRE_X_SERVER(*m_tessaro);
        TestSupport::writeStartupDefaults();
        const QByteArray before = QFile::exists(m_home->settingsFile()) ? QByteArray("present") : QByteArray();
        const Run result = run({u"X#x@"_s});
        QCOMPARE(result.crashed, false);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.isEmpty());
        QVERIFY(!before.isEmpty());

        const QString password = m_tessaro->clipboardText();
        const QRegularExpression shape(u"^[A-Z][0-9][a-z][^\\sA-Za-z0-9]$"_s);
        QVERIFY2(shape.match(password).hasMatch(), qPrintable(password));
        QVERIFY(password.at(3).unicode() >= 123);

        // The hint that asks clipboard managers not to keep it is offered too.
        QVERIFY(m_tessaro->xclip({u"-o"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, u"TARGETS"_s})
                    .contains(u"x-kde-passwordManagerHint"_s));
        QCOMPARE(m_tessaro->xclip({u"-o"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, u"x-kde-passwordManagerHint"_s}),
                 u"secret"_s);
        QVERIFY2(!ProgramHarness::endAutolaunchedBus(), "the clipboard helper started a D-Bus daemon");
    }

    // Absent or empty generation settings take their start-up defaults;
    // only a stored mode other than 0 or 1 copies the mask.
    void argumentsAreJoinedAndMissingSettingsTakeTheirDefaults_data()
    {
        QTest::addColumn<QString>("genOpt"); // null: nothing stored
        QTest::addColumn<QString>("pattern");
        QTest::addRow("nothing stored") << QString() << u"^[A-Z][0-9] [a-z][^\\sA-Za-z0-9]$"_s;
        QTest::addRow("empty GenOpt") << u""_s << u"^[A-Z][0-9] [a-z][^\\sA-Za-z0-9]$"_s;
        QTest::addRow("GenOpt 2") << u"2"_s << u"^X# x@$"_s;
    }
    void argumentsAreJoinedAndMissingSettingsTakeTheirDefaults()
    {
        REQUIRE_X_SERVER(*m_tessaro);
        QFETCH(QString, genOpt);
        QFETCH(QString, pattern);
        if (!genOpt.isNull())
            Settings::write(Settings::Name::GenOpt, genOpt);
        const QByteArray before = m_home->storeBytes();
        const Run result = run({u"X#"_s, u"x@"_s});
        QCOMPARE(result.exitCode, 0);
        const QString password = m_tessaro->clipboardText();
        QVERIFY2(QRegularExpression(pattern).match(password).hasMatch(), qPrintable(password));
        // Nothing was written: the command-line run writes no setting.
        QCOMPARE(m_home->storeBytes(), before);
    }

    void helperEndsWhenAnotherProgramTakesTheClipboard()
    {
        REQUIRE_X_SERVER(*m_tessaro);
        TestSupport::writeStartupDefaults();
        const QList<qint64> before = m_tessaro->helpers();
        QCOMPARE(run({u"Xx##"_s}).exitCode, 0);
        qint64 helper = 0;
        for (qint64 pid : m_tessaro->helpers()) {
            if (!before.contains(pid))
                helper = pid;
        }
        QVERIFY2(helper, "no clipboard helper is serving the password");

        m_tessaro->takeClipboard(u"taken by someone else"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!m_tessaro->helpers().contains(helper), 15000);
        QCOMPARE(m_tessaro->clipboardText(), u"taken by someone else"_s);
    }

    void returnsAtOnceInsideCommandSubstitution()
    {
        REQUIRE_X_SERVER(*m_tessaro);
        TestSupport::writeStartupDefaults();
        QProcess shell;
        shell.setProcessEnvironment(environment(true));
        shell.start(u"sh"_s, {u"-c"_s, u"out=$(\"$0\" Xx##); echo \"status $? [$out]\""_s.replace(u"$0"_s, m_program)});
        QVERIFY2(shell.waitForFinished(10000), "the command substitution waited for the clipboard helper");
        QCOMPARE(shell.readAllStandardOutput(), QByteArray("status 0 []\n"));
    }

    void withoutAReachableDisplayItFailsCleanly_data()
    {
        QTest::addColumn<QString>("display"); // empty: none set
        QTest::addRow("no display") << QString();
        QTest::addRow("unreachable display") << u":431"_s;
    }
    void withoutAReachableDisplayItFailsCleanly()
    {
        QFETCH(QString, display);
        QProcess process;
        QProcessEnvironment env = environment(false);
        if (!display.isEmpty())
            env.insert(u"DISPLAY"_s, display);
        process.setProcessEnvironment(env);
        process.start(m_program, {u"Xx##"_s});
        const Run result = ProgramHarness::finish(process);
        QCOMPARE(result.crashed, false);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err.count('\n'), 1);
        QVERIFY(result.err.startsWith("tessaro: "));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
