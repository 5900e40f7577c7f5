#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

const QByteArray kStarterMasks = "Xxxx-####\r\nXX##xx@@\r\n##-xx-XX\r\n";

} // namespace

// The program as it lies after an install: <prefix>/bin/<program> with its
// data in <prefix>/share/tessaro and the user's own files in the per-user
// data folder. A copy of the helper program is installed into a temporary
// prefix and run from there, so that it finds its folders the way the real
// program does.
class TestInstalledLayout : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_prefix;
    QString m_program;
    QString m_userData; // XDG_DATA_HOME of the runs

    QString userMaskList() const { return m_userData + u"/Brasmoor/Tessaro/mask.kmf"_s; }
    QString starterMasks() const { return m_prefix + u"/share/tessaro/mask.kmf"_s; }

    struct Run
    {
        int status = -1;
        QStringList lines;
    };

    Run run(const QString &program) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_DATA_HOME"_s, m_userData);
        process.setProcessEnvironment(environment);
        process.start(program, {u"user-masks"_s});
        Run result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.status = process.exitCode();
        result.lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        return result;
    }

    // Installs the helper program as <folder>/bin/hardening-helper.
    static QString installProgram(const QString &binFolder)
    {
        const QString program = binFolder + u"/hardening-helper"_s;
        QDir().mkpath(binFolder);
        QFile::copy(QCoreApplication::applicationDirPath() + u"/hardening-helper"_s, program);
        return program;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_prefix = QDir(m_root.path()).canonicalPath() + u"/prefix"_s;
        m_program = installProgram(m_prefix + u"/bin"_s);
        QVERIFY(QFileInfo(m_program).isExecutable());
        QVERIFY(writeFile(m_prefix + u"/share/tessaro/Language/English.lng"_s, "[List]\r\nList01=Passwords\r\n"));
    }

    void init()
    {
        m_userData = m_root.path() + u"/home/.local/share"_s;
        QDir(m_root.path() + u"/home"_s).removeRecursively();
        QVERIFY(writeFile(starterMasks(), kStarterMasks));
    }

    void dataComesFromTheSharedFolderOfThePrefix()
    {
        const Run result = run(m_program);
        QCOMPARE(result.status, 0);
        QCOMPARE(result.lines.size(), 3);
        QCOMPARE(QDir(result.lines[0]).canonicalPath(), m_prefix + u"/share/tessaro"_s);
        QCOMPARE(result.lines[1], m_userData + u"/Brasmoor/Tessaro"_s);
        QCOMPARE(QFileInfo(result.lines[2]).canonicalFilePath(), m_prefix + u"/share/tessaro/Language/English.lng"_s);
    }

    void aLinkToTheProgramStillFindsThePrefix()
    {
        const QString link = m_root.path() + u"/elsewhere/bin/tessaro"_s;
        QDir().mkpath(QFileInfo(link).absolutePath());
        QVERIFY(QFile::link(m_program, link));
        const Run result = run(link);
        QCOMPARE(result.status, 0);
        QCOMPARE(QDir(result.lines.value(0)).canonicalPath(), m_prefix + u"/share/tessaro"_s);
    }

    void firstUseCopiesTheStarterMasks()
    {
        QVERIFY(!QFileInfo::exists(m_userData));
        QCOMPARE(run(m_program).status, 0);
        QCOMPARE(contentOf(userMaskList()), kStarterMasks);
        // The shipped list stays where it is.
        QCOMPARE(contentOf(starterMasks()), kStarterMasks);
    }

    void theUsersOwnListIsNeverReplaced_data()
    {
        QTest::addColumn<QByteArray>("own");
        QTest::newRow("edited list") << QByteArray("Mine-####\r\n");
        QTest::newRow("emptied list") << QByteArray();
    }

    void theUsersOwnListIsNeverReplaced()
    {
        QFETCH(QByteArray, own);
        QVERIFY(writeFile(userMaskList(), own));
        QCOMPARE(run(m_program).status, 0);
        QCOMPARE(contentOf(userMaskList()), own);
    }

    void withoutAStarterListNothingIsCreated()
    {
        QVERIFY(QFile::remove(starterMasks()));
        QCOMPARE(run(m_program).status, 1);
        QVERIFY(!QFileInfo::exists(m_userData));
    }

    void copiesStartingTogetherLeaveOneWholeList()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_DATA_HOME"_s, m_userData);
        QProcess copies[8];
        for (QProcess &copy : copies) {
            copy.setProcessEnvironment(environment);
            copy.start(m_program, {u"user-masks"_s});
        }
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

    void aPortableCopyKeepsEverythingBesideTheProgram()
    {
        const QString folder = QDir(m_root.path()).canonicalPath() + u"/portable"_s;
        const QString program = installProgram(folder);
        QVERIFY(QDir().mkpath(folder + u"/Language"_s));
        QVERIFY(writeFile(folder + u"/mask.kmf"_s, "Portable-##\r\n"));
        const Run result = run(program);
        QCOMPARE(result.status, 0);
        QCOMPARE(result.lines.value(0), folder);
        QCOMPARE(result.lines.value(1), folder);
        QCOMPARE(contentOf(folder + u"/mask.kmf"_s), "Portable-##\r\n");
        QVERIFY(!QFileInfo::exists(m_userData));
    }
};

QTEST_GUILESS_MAIN(TestInstalledLayout)
#include "tst_installedlayout.moc"
