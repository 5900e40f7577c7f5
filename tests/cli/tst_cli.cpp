#include "ProgramHarness.h"
#include "TestSupport.h"

#include "core/generation/MemoryResultList.h"
#include "core/results/ExportLayouts.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using Settings::write;
namespace Name = Settings::Name;

namespace {

QList<QByteArray> linesOf(const QByteArray &out)
{
    QList<QByteArray> lines = out.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

// The real tessaro-cli, run as a script would run it: its options, its
// output byte for byte, its errors and exit status, its settings, and the
// clipboard hand-over against a real X server.
class TestCli : public QObject
{
    Q_OBJECT

private:
    using Run = ProgramHarness::Run;
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<ProgramHarness> m_cli;
    QString m_program;
    QTemporaryDir m_folder;
    QString m_words;    // kite, orbit, lunar
    QString m_badWords; // one word

    QProcessEnvironment environment(bool withDisplay = false) const { return m_cli->environment(withDisplay); }
    Run run(const QStringList &arguments, bool withDisplay = false) const { return m_cli->run(arguments, withDisplay); }

    // A bash line with the program as $0.
    Run shell(const QString &script) const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(u"bash"_s, {u"-c"_s, script, m_program});
        return ProgramHarness::finish(process);
    }

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        m_cli = std::make_unique<ProgramHarness>(u"tessaro-cli"_s);
        m_program = m_cli->program();
        QVERIFY2(m_cli->isExecutable(), qPrintable(m_program));
        const QString error = m_cli->startXServer(150);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const auto writeFile = [this](const QString &name, const QByteArray &text) {
            QFile file(m_folder.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() ? file.fileName() : QString();
        };
        m_words = writeFile(u"words.txt"_s, "kite\norbit\nlunar\n");
        m_badWords = writeFile(u"bad.txt"_s, "kite\n");
    }

    void cleanupTestCase() { m_cli.reset(); }

    void init() { m_home->resetStore(); }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("pattern");
        QTest::addRow("--help") << QStringList{u"--help"_s}
                                << u"^NAME\n.*\nSYNOPSIS\n.*\nOPTIONS\n.*\nEXAMPLES\n.*\nEXIT STATUS\n.*"_s;
        QTest::addRow("-h beats a bad value") << QStringList{u"-h"_s, u"--count"_s, u"0"_s} << u"^NAME\n.*"_s;
        QTest::addRow("--version") << QStringList{u"--version"_s} << u"^tessaro-cli \\d+\\.\\d+\\.\\d+\n$"_s;
    }
    void helpAndVersion()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, pattern);
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        const QRegularExpression re(pattern, QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(re.match(QString::fromUtf8(r.out)).hasMatch(), r.out.left(200).constData());
    }

    void badArgumentsExitWithStatus2_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("complaint");
        auto row = [](const char *name, QStringList arguments, QString complaint) {
            QTest::addRow("%s", name) << arguments << complaint;
        };
        row("unknown option", {u"--frobnicate"_s, u"X"_s}, u"frobnicate"_s);
        row("missing value", {u"X"_s, u"--count"_s}, u"--count"_s);
        row("no mask", {u"-n"_s, u"3"_s}, u"no mask"_s);
        row("two masks", {u"Xx"_s, u"##"_s}, u"one mask expected"_s);
        row("count 0", {u"-n"_s, u"0"_s, u"X"_s}, u"--count"_s);
        row("negative count", {u"--count=-4"_s, u"X"_s}, u"--count"_s);
        row("count past 32 bits", {u"-n"_s, u"2147483648"_s, u"X"_s}, u"2147483648"_s);
        row("count with a sign", {u"-n"_s, u"+5"_s, u"X"_s}, u"--count"_s);
        row("count in words", {u"-n"_s, u"ten"_s, u"X"_s}, u"ten"_s);
        row("bad format", {u"--format"_s, u"xml"_s, u"X"_s}, u"xml"_s);
        row("empty file name", {u"-o"_s, QString(), u"X"_s}, u"--output"_s);
        row("both modes", {u"--default"_s, u"--custom"_s, u"X"_s}, u"--custom"_s);
        row("class with --default", {u"--default"_s, u"--digits"_s, u"12"_s, u"X"_s}, u"--digits"_s);
        row("--clear-after without --copy", {u"--clear-after"_s, u"5"_s, u"X"_s}, u"--copy"_s);
        row("--clear-after 0", {u"-c"_s, u"--clear-after"_s, u"0"_s, u"X"_s}, u"--clear-after"_s);
        row("--clear-after too long", {u"-c"_s, u"--clear-after"_s, u"2147484"_s, u"X"_s}, u"--clear-after"_s);
        row("--copy with a count", {u"-c"_s, u"-n"_s, u"2"_s, u"X"_s}, u"--count"_s);
        row("--copy with a file", {u"-c"_s, u"-o"_s, u"f"_s, u"X"_s}, u"--output"_s);
        row("--copy with --entropy", {u"-c"_s, u"-e"_s, u"X"_s}, u"--entropy"_s);
        row("--entropy with a format", {u"-e"_s, u"--format"_s, u"csv"_s, u"X"_s}, u"--format"_s);
        row("--entropy with a count", {u"-e"_s, u"-n"_s, u"5"_s, u"X"_s}, u"--count"_s);
        row("--word-symbol of two", {u"--word-symbol"_s, u"ww"_s, u"X"_s}, u"--word-symbol"_s);
        row("word list of one word", {u"--word-symbol=w"_s, u"--word-list"_s, m_badWords, u"w"_s},
            m_badWords + u" can't be used: it holds fewer than 2 different words."_s);
        row("missing word list, unused", {u"--word-list=/nonexistent"_s, u"X"_s}, u"it can't be read"_s);
    }
    void badArgumentsExitWithStatus2()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, complaint);
        const Run r = run(arguments);
        QCOMPARE(r.crashed, false);
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QByteArray());
        const QList<QByteArray> lines = linesOf(r.err);
        QVERIFY(lines.size() >= 2);
        QVERIFY2(lines[0].startsWith("tessaro-cli: ") && lines[0].contains(complaint.toUtf8()), lines[0].constData());
        QVERIFY(lines[1].startsWith("Usage: tessaro-cli"));
        QVERIFY(!QFile::exists(u"f"_s));
    }

    void emptyPasswordsExitWithStatus1_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("empty mask") << QStringList{QString()};
        QTest::addRow("every symbol from an empty class") << QStringList{u"--digits="_s, u"-n"_s, u"5"_s, u"###"_s};
        QTest::addRow("with --copy") << QStringList{u"-c"_s, u"--upper="_s, u"XX"_s};
    }
    void emptyPasswordsExitWithStatus1()
    {
        QFETCH(QStringList, arguments);
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.startsWith("tessaro-cli: ") && r.err.contains("empty"), r.err.constData());
    }

    void formatsAreTheWindowsLayouts_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("count");
        // The layouts themselves are tested in tst_listfiles.
        QTest::addRow("text") << u"text"_s << u"§i,\"q\"€𝄞"_s << 8;
        QTest::addRow("csv") << u"csv"_s << u"§i,\"q\"€𝄞"_s << 13;
    }
    void formatsAreTheWindowsLayouts()
    {
        QFETCH(QString, format);
        QFETCH(QString, mask);
        QFETCH(int, count);
        // The counter makes the output known in advance; the window's own
        // layout functions give what its saves would write for those rows.
        MemoryResultList rows;
        const QString counterless = mask;
        for (int k = 0; k < count; ++k) {
            rows.appendItem();
            rows.setItemText(k, QString(counterless).replace(u"i"_s, QString::number(k)));
        }
        const QByteArray expected = format == u"csv" ? ExportLayouts::csv(rows) : ExportLayouts::text(rows);
        const Run r = run({u"--format"_s, format, u"-n"_s, QString::number(count), mask});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.out, expected);
    }

    void linesFormat_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::addRow("default is lines")
            << QStringList{u"-n"_s, u"3"_s, u"ab-i"_s} << QByteArray("ab-0\nab-1\nab-2\n");
        QTest::addRow("--format lines") << QStringList{u"--format"_s, u"lines"_s, u"-n3"_s, u"i"_s}
                                        << QByteArray("0\n1\n2\n");
        QTest::addRow("UTF-8") << QStringList{u"--upper"_s, u"É"_s, u"--lower"_s, u"𝄞"_s, u"Xx€"_s}
                               << QByteArray("\xC3\x89\xF0\x9D\x84\x9E\xE2\x82\xAC\n");
        QTest::addRow("options after the mask") << QStringList{u"i."_s, u"-n"_s, u"2"_s} << QByteArray("0.\n1.\n");
        QTest::addRow("a mask after --") << QStringList{u"-n"_s, u"2"_s, u"--"_s, u"-i"_s} << QByteArray("-0\n-1\n");
        QTest::addRow("duplicates dropped") << QStringList{u"-n"_s, u"50"_s, u"abcd"_s} << QByteArray("abcd\n");
        QTest::addRow("duplicates kept") << QStringList{u"-n"_s, u"3"_s, u"--allow-duplicates"_s, u"abcd"_s}
                                         << QByteArray("abcd\nabcd\nabcd\n");
        QTest::addRow("huge count, one possible password")
            << QStringList{u"-n"_s, u"2147483647"_s, u"abcd"_s} << QByteArray("abcd\n");
    }
    void linesFormat()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.out, expected);
    }

    void duplicatesAreDroppedExactly()
    {
        // 100 possible passwords, 3000 attempts: all 100 once, none twice.
        const Run r = run({u"-n"_s, u"3000"_s, u"##"_s});
        QCOMPARE(r.exitCode, 0);
        const QList<QByteArray> lines = linesOf(r.out);
        QCOMPARE(lines.size(), 100);
        QCOMPARE(QSet<QByteArray>(lines.cbegin(), lines.cend()).size(), 100);

        const Run kept = run({u"-n"_s, u"3000"_s, u"--allow-duplicates"_s, u"##"_s});
        QCOMPARE(linesOf(kept.out).size(), 3000);
    }

    void settingsComeFromTheStore_data()
    {
        QTest::addColumn<QStringList>("stored"); // name=value pairs
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("pattern");
        QTest::addRow("nothing stored: start-up defaults")
            << QStringList() << QStringList{u"Xx#-i"_s} << u"[A-Z][a-z][0-9]-0"_s;
        QTest::addRow("custom classes") << QStringList{u"GenOpt=1"_s, u"AlphaU=Q"_s, u"Numeric=7"_s}
                                        << QStringList{u"XX##"_s} << u"QQ77"_s;
        QTest::addRow("a missing class takes its default")
            << QStringList{u"GenOpt=1"_s, u"Numeric=7"_s} << QStringList{u"X#"_s} << u"[A-Z]7"_s;
        QTest::addRow("other mode copies the mask")
            << QStringList{u"GenOpt=2"_s} << QStringList{u"Xx#@i"_s} << u"Xx#@i"_s;
        QTest::addRow("stored symbols") << QStringList{u"uMask=U"_s, u"nMask=XX"_s} << QStringList{u"UX#"_s}
                                        << u"[A-Z]X#"_s;
        QTest::addRow("--default over stored custom")
            << QStringList{u"GenOpt=1"_s, u"AlphaU=Q"_s} << QStringList{u"--default"_s, u"XXXX"_s} << u"[A-Z]{4}"_s;
        QTest::addRow("--custom") << QStringList{u"GenOpt=0"_s, u"AlphaU=Q"_s} << QStringList{u"--custom"_s, u"XX"_s}
                                  << u"QQ"_s;
        QTest::addRow("a class implies custom")
            << QStringList{u"GenOpt=0"_s, u"Numeric=7"_s} << QStringList{u"--upper"_s, u"Z"_s, u"X#"_s} << u"Z7"_s;
        QTest::addRow("a class overrides custom")
            << QStringList{u"GenOpt=1"_s, u"Special=!"_s} << QStringList{u"--special"_s, u"%"_s, u"@@"_s} << u"%%"_s;
        const QString word = u"(Kite|Orbit|Lunar)"_s;
        QTest::addRow("stored words and look-alikes")
            << QStringList{u"wMask=w"_s, u"Words="_s + m_words, u"WordCap=1"_s, u"NoLookAlike=1"_s}
            << QStringList{u"w-#########"_s} << word + u"-[34679]{9}"_s;
        QTest::addRow("words and look-alikes for this run")
            << QStringList{u"Words="_s + m_badWords} << QStringList{u"--word-symbol"_s,      u"w"_s,
                                                                    u"--word-list"_s,        m_words,
                                                                    u"--capitalise-words"_s, u"--no-look-alike"_s,
                                                                    u"--digits"_s,           u"0123456789"_s,
                                                                    u"w.##########"_s}
            << word + u"\\.[34679]{10}"_s;
        QTest::addRow("default special range")
            << QStringList{u"GenOpt=0"_s} << QStringList{u"@"_s} << u"[^\\x00-\\x7A\\x7F-\\xA0\\xAD]"_s;
    }
    void settingsComeFromTheStore()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, arguments);
        QFETCH(QString, pattern);
        for (const QString &pair : stored)
            Settings::write(QLatin1String(pair.section(u'=', 0, 0).toLatin1()), pair.section(u'=', 1));
        const QByteArray before = m_home->storeBytes();

        const Run r = run(arguments);
        QCOMPARE(r.exitCode, 0);
        const QString password = QString::fromUtf8(r.out).chopped(1);
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(password).hasMatch(),
                 qPrintable(password));

        // tessaro-cli never writes a setting.
        QCOMPARE(m_home->storeBytes(), before);
    }

    void entropy_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::addRow("8 upper-case letters")
            << QStringList{u"-e"_s, u"--default"_s, u"XXXXXXXX"_s}
            << QByteArray("Entropy:   37.60 bits\nKey space: 208827064576 passwords\nStrength:  Poor\n");
        QTest::addRow("typical mask") << QStringList{u"-e"_s, u"Xxxx-####-@@@@"_s}
                                      << QByteArray("Entropy:   59.95 bits\nKey space: 1.12e+18 passwords\n"
                                                    "Strength:  Weak\n");
        QTest::addRow("words") << QStringList{u"-e"_s, u"--word-symbol=w"_s, u"--word-list"_s, m_words, u"w#"_s}
                               << QByteArray("Entropy:   4.91 bits\nKey space: 30 passwords\nStrength:  Poor\n");
        QTest::addRow("copy unchanged") << QStringList{u"-e"_s, u"Xi-"_s}
                                        << QByteArray("Entropy:   0.00 bits\nKey space: 1 password\nStrength:  Poor\n");
    }
    void entropy()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        if (QTest::currentDataTag() == QByteArrayView("copy unchanged"))
            write(Name::GenOpt, u"5"_s);
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, expected);
    }

    void outputFileIsOwnerOnlyAndReplacedWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"out.csv"_s);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10000, 'z'));
        old.close();
        QVERIFY(old.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));

        const Run r = run({u"-o"_s, path, u"--format"_s, u"csv"_s, u"-n"_s, u"7"_s, u"i"_s});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("0,1,2,3,4,5\r\n6\r\n"));
        QCOMPARE(file.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void anInterruptedFileOutputLeavesNothing()
    {
        QTemporaryDir dir;
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(m_program, {u"-o"_s, dir.filePath(u"out.txt"_s), u"-n"_s, u"2147483647"_s,
                                  u"--allow-duplicates"_s, u"Xxxx####"_s});
        QVERIFY(process.waitForStarted());
        QTest::qWait(300); // well into the stream
        // The pid read once: 0 (a process that has ended) would signal our whole group.
        const pid_t pid = pid_t(process.processId());
        QVERIFY2(pid > 0 && process.state() == QProcess::Running, "tessaro-cli ended before it was interrupted");
        ::kill(pid, SIGINT);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 128 + SIGINT);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void aReaderThatStopsEndsTheRunQuietly_data()
    {
        QTest::addColumn<QString>("arguments");
        // The duplicate check takes its memory for every attempt at the start.
        QTest::addRow("duplicates kept") << u"-n 2147483647 --allow-duplicates"_s;
        QTest::addRow("duplicates dropped") << u"-n 10000000"_s;
        QTest::addRow("csv") << u"-n 10000000 --format csv"_s;
    }
    void aReaderThatStopsEndsTheRunQuietly()
    {
        QFETCH(QString, arguments);
        // Millions of attempts, of which head reads three lines: the run must
        // end at once, with status 0 and nothing on stderr.
        const Run r = shell(u"\"$0\" %1 'Xxxx-####-@@@@' | head -n 3; "
                            u"echo \"status ${PIPESTATUS[0]}\""_s.arg(arguments));
        QCOMPARE(r.crashed, false);
        QCOMPARE(r.err, QByteArray());
        const QList<QByteArray> lines = linesOf(r.out);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[3], QByteArray("status 0"));
    }

    void aRunTooLargeForTheMemoryStopsAtOnce()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer cannot start under an address-space limit");
#endif
        // The check of 100 million passwords takes 2 GB: more than a 1 GB address space.
        QTemporaryDir dir;
        const Run r = shell(u"ulimit -v 1000000; \"$0\" -n 100000000 -o %1 Xxxxxxxx####"_s.arg(dir.filePath(u"out"_s)));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.startsWith("tessaro-cli: not enough memory: this run needs "), r.err.constData());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void stdoutThatCannotBeWrittenFails_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("reason");
        for (const QString &arguments : {u"-n 1000 Xxxx"_s, u"--help"_s, u"--version"_s, u"-e Xxxx"_s}) {
            QTest::addRow("%s, full device", qPrintable(arguments))
                << arguments + u" >/dev/full"_s << QByteArray("No space left on device");
            QTest::addRow("%s, closed", qPrintable(arguments))
                << arguments + u" >&-"_s << QByteArray("Bad file descriptor");
        }
    }
    void stdoutThatCannotBeWrittenFails()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, reason);
        const Run r = shell(u"\"$0\" %1; echo \"status $?\" >&2"_s.arg(command));
        const QList<QByteArray> lines = r.err.split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[0].startsWith("tessaro-cli: cannot write to standard output") && lines[0].contains(reason),
                 lines[0].constData());
        QCOMPARE(lines[1], QByteArray("status 1"));
    }

    // A write that fails part way (a size limit: EFBIG, a full file system:
    // ENOSPC) leaves the earlier file byte for byte, or none, and nothing beside.
    void aFailedWriteKeepsTheEarlierFile_data()
    {
        QTest::addColumn<int>("sizeLimit"); // RLIMIT_FSIZE, or -1 for a full tmpfs
        QTest::addColumn<QString>("count");
        QTest::addColumn<QByteArray>("earlier"); // empty: no file before
        QTest::addColumn<QByteArray>("reason");
        const QByteArray earlier = "earlier passwords\n"_ba.repeated(100);
        QTest::addRow("size limit, short output") << 0 << u"3"_s << earlier << "File too large"_ba;
        QTest::addRow("size limit, no earlier file") << 0 << u"3"_s << QByteArray() << "File too large"_ba;
        QTest::addRow("size limit inside one write") << 100 << u"30"_s << earlier << "File too large"_ba;
        QTest::addRow("size limit, long output") << 100000 << u"300000"_s << earlier << "File too large"_ba;
        QTest::addRow("full tmpfs") << -1 << u"300000"_s << earlier << "No space left on device"_ba;
    }
    void aFailedWriteKeepsTheEarlierFile()
    {
        QFETCH(int, sizeLimit);
        QFETCH(QString, count);
        QFETCH(QByteArray, earlier);
        QFETCH(QByteArray, reason);
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"out"_s);
        QVERIFY(QDir().mkdir(folder));
        if (sizeLimit < 0 && ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("a tmpfs cannot be mounted here");
        const auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH); });
        QFile file(folder + u"/passwords.txt"_s);
        QVERIFY(earlier.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size()));
        file.close();

        QProcess process;
        process.setProcessEnvironment(environment());
        process.setChildProcessModifier([sizeLimit] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(sizeLimit), rlim_t(sizeLimit)};
            if (sizeLimit >= 0)
                ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        process.start(m_program, {u"-o"_s, file.fileName(), u"-n"_s, count, u"--allow-duplicates"_s, u"Xxxx-#-i"_s});
        const Run r = ProgramHarness::finish(process);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err == "tessaro-cli: cannot write " + QFile::encodeName(file.fileName()) + ": " + reason + "\n",
                 r.err.constData());
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), earlier);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 earlier.isEmpty() ? QStringList() : QStringList{u"passwords.txt"_s});
    }

    // -o never replaces what is not a regular file; a link is followed.
    void specialTargetsAreWrittenIntoNotReplaced_data()
    {
        QTest::addColumn<QString>("script"); // run in an empty folder; prints what it found
        QTest::addColumn<QByteArray>("expected");
        QTest::addRow("FIFO")
            << u"mkfifo f; timeout 10 cat f > got & \"$0\" -n 2 -o f i-; wait; cat got; test -p f && echo fifo"_s
            << QByteArray("0-\n1-\nfifo\n");
        QTest::addRow("device")
            << u"mknod null c 1 3 || { echo skip; exit 0; }; \"$0\" -o null i-; test -c null && echo device"_s
            << QByteArray("device\n");
        QTest::addRow("link") << u"echo old > t; ln -s t l; \"$0\" -o l i-; test -L l && cat t"_s << QByteArray("0-\n");
        QTest::addRow("folder") << u"mkdir d; \"$0\" -o d i- 2>&1; echo $?; test -d d && echo folder"_s
                                << QByteArray("tessaro-cli: cannot write d: Is a directory\n1\nfolder\n");
        QTest::addRow("missing folder") << u"\"$0\" -o no/f i- 2>&1; echo $?"_s
                                        << QByteArray("tessaro-cli: cannot write no/f: No such file or directory\n1\n");
    }
    void specialTargetsAreWrittenIntoNotReplaced()
    {
        QFETCH(QString, script);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const Run r = shell(u"cd '%1' && { %2; }"_s.arg(dir.path(), script));
        if (r.out == "skip\n")
            QSKIP("no device node can be made here");
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.out, expected);
    }

    void runningOutOfMemoryEndsCleanly()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer cannot start under an address-space limit");
#endif
        QTemporaryDir dir;
        const Run r =
            shell(u"cd '%1' && ulimit -v 400000 && \"$0\" -n 100000000 -o out 'Xxxxxxxx####'"_s.arg(dir.path()));
        QCOMPARE(r.crashed, false);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.count('\n'), 1);
        // Caught before the run (the memory check) or during it (an allocation failing).
        QVERIFY2(
            (r.err.startsWith("tessaro-cli: not enough memory") || r.err.startsWith("tessaro-cli: out of memory")) &&
                r.err.contains("--allow-duplicates"),
            r.err.constData());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    // The hand-over itself is tst_commandline's; here what --copy adds.
    void clearAfterEmptiesTheClipboard()
    {
        REQUIRE_X_SERVER(*m_cli);
        QCOMPARE(run({u"-c"_s, u"--clear-after"_s, u"2"_s, u"Xxxx####"_s}, true).exitCode, 0);
        QCOMPARE(m_cli->clipboardText().size(), 8);
        QTRY_COMPARE_WITH_TIMEOUT(m_cli->clipboardText(), QString(), 8000);
        QTRY_COMPARE_WITH_TIMEOUT(m_cli->helpers().size(), 0, 5000);
    }

    void clearAfterLeavesSomeoneElsesText()
    {
        REQUIRE_X_SERVER(*m_cli);
        QCOMPARE(run({u"-c"_s, u"--clear-after"_s, u"2"_s, u"Xxxx####"_s}, true).exitCode, 0);
        QCOMPARE(m_cli->clipboardText().size(), 8);
        m_cli->takeClipboard(u"copied by someone else"_s);
        QTest::qWait(3500); // past the clear time
        QCOMPARE(m_cli->clipboardText(), u"copied by someone else"_s);
        QTRY_COMPARE_WITH_TIMEOUT(m_cli->helpers().size(), 0, 5000);
    }

    void copyWithoutTheModuleFailsClearly()
    {
        // A copy of the program alone in a folder finds no clipboard module.
        const QString program = m_folder.filePath(u"alone/bin/tessaro-cli"_s);
        QVERIFY(QDir().mkpath(QFileInfo(program).path()) && QFile::copy(m_program, program));
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(program, {u"-c"_s, u"Xxxx"_s});
        const Run r = ProgramHarness::finish(process);
        QCOMPARE(r.crashed, false);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.startsWith("tessaro-cli: ") && r.err.contains("tessaro_clipboard_handover"), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
