#include "ProgramHarness.h"
#include "TestSupport.h"

#include <QRegularExpression>

// `tessaro MASK` against a real X server: the command returns at once, and
// the password stays on the clipboard after it has returned.
class TestCommandLine : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<ProgramHarness> m_tessaro;

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        m_tessaro = std::make_unique<ProgramHarness>(u"tessaro"_s);
        QVERIFY2(m_tessaro->isExecutable(), qPrintable(m_tessaro->program()));
        const QString error = m_tessaro->startXServer(90);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void cleanupTestCase() { m_tessaro.reset(); }

    void init() { m_home->resetStore(); }

    // The words are joined with blanks; absent or empty generation settings
    // take their start-up defaults; a stored mode other than 0 or 1 copies.
    void passwordStaysOnTheClipboard_data()
    {
        QTest::addColumn<QString>("genOpt"); // null: nothing stored
        QTest::addColumn<QString>("pattern");
        QTest::addRow("nothing stored") << QString() << u"^[A-Z][0-9] [a-z][^\\sA-Za-z0-9]$"_s;
        QTest::addRow("empty GenOpt") << u""_s << u"^[A-Z][0-9] [a-z][^\\sA-Za-z0-9]$"_s;
        QTest::addRow("GenOpt 2") << u"2"_s << u"^X# x@$"_s;
    }
    void passwordStaysOnTheClipboard()
    {
        REQUIRE_X_SERVER(*m_tessaro);
        QFETCH(QString, genOpt);
        QFETCH(QString, pattern);
        if (!genOpt.isNull())
            Settings::write(Settings::Name::GenOpt, genOpt);
        const QByteArray before = m_home->storeBytes();
        // Inside a command substitution it must not wait for its clipboard helper.
        const auto r = m_tessaro->shell(u"out=$(\"$0\" X# x@); echo \"status $? [$out]\""_s, true);
        QCOMPARE(r.out, "status 0 []\n"_ba);
        const QString password = m_tessaro->clipboardText();
        QVERIFY2(QRegularExpression(pattern).match(password).hasMatch(), qPrintable(password));
        QCOMPARE(m_home->storeBytes(), before); // the command-line run writes no setting
        // The hint that asks clipboard managers not to keep it is offered too.
        const QStringList hint{u"-o"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, u"x-kde-passwordManagerHint"_s};
        QCOMPARE(m_tessaro->xclip(hint), u"secret"_s);
        QVERIFY2(!ProgramHarness::endAutolaunchedBus(), "the clipboard helper started a D-Bus daemon");
    }

    void helperEndsWhenAnotherProgramTakesTheClipboard()
    {
        REQUIRE_X_SERVER(*m_tessaro);
        const QList<qint64> before = m_tessaro->helpers();
        QCOMPARE(m_tessaro->run({u"Xx##"_s}, true).exitCode, 0);
        const QList<qint64> after = m_tessaro->helpers();
        const auto helper =
            std::find_if(after.cbegin(), after.cend(), [&](qint64 pid) { return !before.contains(pid); });
        QVERIFY2(helper != after.cend(), "no clipboard helper is serving the password");
        m_tessaro->takeClipboard(u"taken by someone else"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!m_tessaro->helpers().contains(*helper), 15000);
        QCOMPARE(m_tessaro->clipboardText(), u"taken by someone else"_s);
    }

    // The window's stored "clear after 10 seconds" holds for the command line.
    void storedClearAfterClearsThePassword()
    {
        REQUIRE_X_SERVER(*m_tessaro);
        Settings::write(Settings::Name::ClearAfter, u"1"_s);
        QCOMPARE(m_tessaro->run({u"Xx##"_s}, true).exitCode, 0);
        QCOMPARE(m_tessaro->clipboardText().size(), 4);
        QTest::qWait(Settings::kClearAfterSeconds * 1000 + 1500);
        QCOMPARE(m_tessaro->clipboardText(), QString());
    }

    // Without a session bus the window starts no D-Bus daemon of its own.
    void theWindowLeavesNoBusBehind()
    {
        REQUIRE_X_SERVER(*m_tessaro);
        QProcess window;
        window.setProcessEnvironment(m_tessaro->environment(true));
        window.start(m_tessaro->program());
        // Once its window is on the screen, the accessibility bridge has looked for a bus.
        QVERIFY(QTest::qWaitFor(
            [&] { return m_tessaro->shell(u"xwininfo -root -tree | grep -q '\"Tessaro 1'"_s, true).exitCode == 0; },
            20000));
        window.terminate();
        QVERIFY(window.waitForFinished(10000));
        QVERIFY2(!ProgramHarness::endAutolaunchedBus(), "the window started a D-Bus daemon");
    }

    void withoutAReachableDisplayItFailsCleanly()
    {
        for (const QString &display : {u""_s, u"DISPLAY=:431 "_s}) {
            const auto r = m_tessaro->shell(display + u"\"$0\" Xx##"_s);
            QCOMPARE(r.exitCode, 1);
            QCOMPARE(r.err.count('\n'), 1);
            QVERIFY2(r.err.startsWith("tessaro: "), r.err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
