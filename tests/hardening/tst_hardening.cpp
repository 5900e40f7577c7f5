#include "ProgramHarness.h"
#include "TestSupport.h"

#include "core/settings/SettingsStore.h"

#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

const QByteArray kStarterMasks = "Xxxx-####\r\nXX##xx@@\r\n##-xx-XX\r\n";

// Installs the helper program as <folder>/hardening-helper.
QString installHelper(const QString &folder)
{
    QDir().mkpath(folder);
    QFile::copy(QCoreApplication::applicationDirPath() + u"/hardening-helper"_s, folder + u"/hardening-helper"_s);
    return folder + u"/hardening-helper"_s;
}

} // namespace

// Conditions the other suites never create: several processes at once on
// one settings store or one first start, and the program run from an
// installed prefix (<prefix>/bin, its data in <prefix>/share/tessaro, the
// user's files in the per-user data folder) or as a portable copy. The
// processes are copies of hardening-helper (see HardeningHelper.cpp).
class TestHardening : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    QString m_prefix;
    QString m_program;
    QString m_userData; // XDG_DATA_HOME of the runs

    QString userMaskList() const { return m_userData + u"/Brasmoor/Tessaro/mask.kmf"_s; }
    QString starterMasks() const { return m_prefix + u"/share/tessaro/mask.kmf"_s; }

    void startUserMasks(QProcess &process, const QString &program) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_DATA_HOME"_s, m_userData);
        process.setProcessEnvironment(environment);
        process.start(program, {u"user-masks"_s});
    }
    // Runs `program user-masks`: its lines, or why it did not end with status.
    QStringList runUserMasks(const QString &program, int status = 0) const
    {
        QProcess process;
        startUserMasks(process, program);
        const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
        if (!ended || process.exitCode() != status)
            return {u"ended with status %1"_s.arg(ended ? process.exitCode() : -1)};
        return QString::fromLocal8Bit(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        m_prefix = QDir(m_home->path()).canonicalPath() + u"/prefix"_s;
        m_program = installHelper(m_prefix + u"/bin"_s);
        QVERIFY(QFileInfo(m_program).isExecutable());
        QVERIFY(writeFile(m_prefix + u"/share/tessaro/Language/English.lng"_s, "[List]\r\nList01=Passwords\r\n"));
    }

    void init()
    {
        m_userData = m_home->path() + u"/user/.local/share"_s;
        QDir(m_home->path() + u"/user"_s).removeRecursively();
        QVERIFY(writeFile(starterMasks(), kStarterMasks));
    }

    // Two processes write and read the store at the same moment, hundreds of
    // times each: every read gives a value one of them wrote, neither loses
    // its own write, and the file is whole whenever anyone looks.
    void twoWritersAtOnceKeepTheStoreWhole()
    {
        constexpr int kRounds = 500;
        const QString goFile = m_home->path() + u"/go"_s;
        QProcess writers[2];
        for (int i = 0; i < 2; ++i) {
            writers[i].start(m_program, {u"settings"_s, i ? u"B"_s : u"A"_s, QString::number(kRounds), goFile});
            QVERIFY(writers[i].waitForStarted());
        }
        QVERIFY(writeFile(goFile, {}));
        for (QProcess &writer : writers) {
            QVERIFY2(writer.waitForFinished(240000), "a writer did not finish");
            const QByteArray out = writer.readAllStandardOutput().trimmed();
            QVERIFY2(writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == 0,
                     (out + '\n' + writer.readAllStandardError()).constData());
            // Unless each writer saw the other's values, they never overlapped.
            QVERIFY2(out.startsWith("reads=" + QByteArray::number(2 * kRounds) + ' ') && !out.contains(" other=0 "),
                     out.constData());
        }
        const QString last = QString::number(kRounds - 1);
        const QString shared = GetRegValue(RegistryRoot::CurrentUser, Settings::Key, u"Shared", QString());
        QVERIFY2(shared == u"A-"_s + last || shared == u"B-"_s + last, qPrintable(shared));
        QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, u"OwnA", QString()), last);
        QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, u"OwnB", QString()), last);
    }

    void foldersComeFromWhereTheProgramLies()
    {
        const QString share = m_prefix + u"/share/tessaro"_s;
        QStringList lines = runUserMasks(m_program);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(QDir(lines[0]).canonicalPath(), share);
        QCOMPARE(lines[1], m_userData + u"/Brasmoor/Tessaro"_s);
        QCOMPARE(QFileInfo(lines[2]).canonicalFilePath(), share + u"/Language/English.lng"_s);

        const QString link = m_home->path() + u"/elsewhere/bin/tessaro"_s;
        QVERIFY(QDir().mkpath(QFileInfo(link).absolutePath()) && QFile::link(m_program, link));
        QCOMPARE(QDir(runUserMasks(link).value(0)).canonicalPath(), share);

        // A portable copy keeps everything beside the program.
        const QString folder = QDir(m_home->path()).canonicalPath() + u"/portable"_s;
        const QString portable = installHelper(folder);
        QVERIFY(QDir().mkpath(folder + u"/Language"_s) && writeFile(folder + u"/mask.kmf"_s, "Portable-##\r\n"));
        QDir(m_home->path() + u"/user"_s).removeRecursively();
        lines = runUserMasks(portable);
        QCOMPARE(lines.mid(0, 2), QStringList({folder, folder}));
        QCOMPARE(contentOf(folder + u"/mask.kmf"_s), "Portable-##\r\n");
        QVERIFY(!QFileInfo::exists(m_userData));
    }

    // The first use copies the starter list; the user's own list, even
    // emptied, is never replaced; without a starter list nothing is made.
    void theUsersMaskList_data()
    {
        QTest::addColumn<QByteArray>("own"); // null: none yet
        QTest::addColumn<bool>("starter");
        QTest::addColumn<QByteArray>("after");
        QTest::addRow("first use") << QByteArray() << true << kStarterMasks;
        QTest::addRow("edited list") << "Mine-####\r\n"_ba << true << "Mine-####\r\n"_ba;
        QTest::addRow("emptied list") << ""_ba << true << ""_ba;
        QTest::addRow("no starter list") << QByteArray() << false << "<none>"_ba;
    }
    void theUsersMaskList()
    {
        QFETCH(QByteArray, own);
        QFETCH(bool, starter);
        QFETCH(QByteArray, after);
        QVERIFY(own.isNull() || writeFile(userMaskList(), own));
        QVERIFY(starter || QFile::remove(starterMasks()));
        QCOMPARE(runUserMasks(m_program, starter ? 0 : 1).size(), 3);
        QCOMPARE(contentOf(userMaskList()), after);
        QCOMPARE(contentOf(starterMasks()), starter ? kStarterMasks : "<none>"_ba);
        QVERIFY(starter || !QFileInfo::exists(m_userData));
    }

    // A module is loaded only from the one folder of the layout, only when no
    // one else can change it, and only when whole: otherwise tessaro-cli -c
    // says why, and the password stays off the clipboard (with no display,
    // a loaded module says so).
    void modulesOnlyWholeAndTrusted_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("says");
        const QString loaded = u"no display"_s, others = u"others may change"_s;
        QTest::addRow("whole") << u"cp $M p/; run p"_s << loaded;
        QTest::addRow("beside a portable copy only")
            << u"mkdir -p lib/tessaro/modules; cp $M lib/tessaro/modules; run p"_s << u"is not in"_s;
        QTest::addRow("cut short") << u"head -c 12000 $M > p/$N; run p"_s << u"shorter than its headers say"_s;
        QTest::addRow("another module") << u"cp $B/tessaro_click_sound.so p/$N; run p"_s
                                        << u"lacks tessaroServeClipboard"_s;
        QTest::addRow("text") << u"echo hello > p/$N; run p"_s << u"not a shared library"_s;
        QTest::addRow("writable") << u"cp $M p/; chmod o+w p/$N; run p"_s << others;
        QTest::addRow("writable folder") << u"cp $M p/; chmod g+w p; run p"_s << others;
        QTest::addRow("sticky folder") << u"cp $M p/; chmod 1777 p; run p"_s << loaded;
        QTest::addRow("link to a writable folder")
            << u"mkdir w; chmod 777 w; cp $M w/; ln -s ../w/$N p/; run p"_s << others;
        QTest::addRow("another owner") << u"cp $M p/; chown nobody p/$N || exit 9; run p"_s << u"belongs to nobody"_s;
    }
    void modulesOnlyWholeAndTrusted()
    {
        QFETCH(QString, script);
        QFETCH(QString, says);
        QTemporaryDir dir(m_home->path() + u"/modules-XXXXXX"_s);
        const ProgramHarness::Run r = ProgramHarness(u"tessaro-cli"_s)
                                          .shell(u"cd %1; B=${0%/*}; N=tessaro_clipboard_handover.so; M=$B/$N; "
                                                 u"mkdir -p p/Language; cp \"$0\" p; "
                                                 u"run() { \"$1\"/tessaro-cli -c Xx 2>&1; }; "_s.arg(dir.path()) +
                                                 script);
        if (r.exitCode == 9)
            QSKIP("only root can give a file to another user");
        QVERIFY2(r.out.startsWith("tessaro-cli: ") && r.out.contains(says.toUtf8()), r.out + r.err);
    }

    // Another process of the same user cannot read a running program's
    // memory or environment (nor would a crash leave a core dump). Root reads
    // everything, so root runs the programs and the reader as nobody.
    void secretsStayInTheirProcess_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("arguments");
        QTest::addRow("window") << u"tessaro"_s << QString();
        QTest::addRow("tessaro-cli") << u"tessaro-cli"_s << u"-n 2147483647 --allow-duplicates Xxxx####"_s;
    }
    void secretsStayInTheirProcess()
    {
        QFETCH(QString, program);
        QFETCH(QString, arguments);
        const QString user = ::geteuid() == 0 ? u"setpriv --reuid=nobody --regid=nogroup --clear-groups "_s : QString();
        const auto r = ProgramHarness(program).shell(
            user +
            u"sh -c 'QT_QPA_PLATFORM=offscreen \"$0\" %1 >/dev/null 2>&1 & sleep 1; "
            u"cat /proc/$!/environ >/dev/null 2>&1 && echo readable || echo hidden; kill $!' \"$0\""_s.arg(arguments));
        QCOMPARE(r.out, "hidden\n"_ba);
    }

    void copiesStartingTogetherLeaveOneWholeList()
    {
        QProcess copies[8];
        for (QProcess &copy : copies)
            startUserMasks(copy, m_program);
        for (QProcess &copy : copies) {
            QVERIFY(copy.waitForFinished(60000));
            QCOMPARE(copy.exitStatus(), QProcess::NormalExit);
            QCOMPARE(copy.exitCode(), 0);
        }
        QCOMPARE(contentOf(userMaskList()), kStarterMasks);
        // No half-written or hidden copy is left beside it.
        QCOMPARE(QDir(QFileInfo(userMaskList()).absolutePath())
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{u"mask.kmf"_s});
    }
};

QTEST_GUILESS_MAIN(TestHardening)
#include "tst_hardening.moc"
