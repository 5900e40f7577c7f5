#include "core/settings/SettingsStore.h"
#include "core/settings/SettingsTable.h"
#include "TestSupport.h"

#include <QFile>
#include <QProcess>

using namespace Qt::StringLiterals;

// Two running copies of the program share one settings store. Two processes
// write and read it at the same moment, hundreds of times each: every read
// must give a value one of them wrote, neither may lose its own write, and
// the file must be whole whenever anyone looks (the checks run inside the
// helper; see HardeningHelper.cpp).
class TestConcurrentSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;

    static constexpr int kRounds = 500;

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }

    void twoWritersAtOnceKeepTheStoreWhole()
    {
        const QString helper = QCoreApplication::applicationDirPath() + u"/hardening-helper"_s;
        const QString goFile = m_home->path() + u"/go"_s;
        QProcess writers[2];
        const QString names[2] = {u"A"_s, u"B"_s};
        for (int i = 0; i < 2; ++i) {
            writers[i].start(helper, {u"settings"_s, names[i], QString::number(kRounds), goFile});
            QVERIFY2(writers[i].waitForStarted(), qPrintable(helper));
        }
        QFile go(goFile);
        QVERIFY(go.open(QIODevice::WriteOnly));
        go.close();

        for (int i = 0; i < 2; ++i) {
            QVERIFY2(writers[i].waitForFinished(240000), "a writer did not finish");
            const QByteArray out = writers[i].readAllStandardOutput().trimmed();
            const QByteArray err = writers[i].readAllStandardError();
            QVERIFY2(writers[i].exitStatus() == QProcess::NormalExit && writers[i].exitCode() == 0,
                     (out + '\n' + err).constData());
            // Unless each writer saw the other's values, they never overlapped
            // and the test proved nothing.
            QVERIFY2(out.startsWith("reads=" + QByteArray::number(2 * kRounds) + ' '), out.constData());
            QVERIFY2(!out.contains(" other=0 "), out.constData());
        }

        const QString last = QString::number(kRounds - 1);
        const QString shared = GetRegValue(RegistryRoot::CurrentUser, Settings::Key, u"Shared", QString());
        QVERIFY2(shared == u"A-"_s + last || shared == u"B-"_s + last, qPrintable(shared));
        QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, u"OwnA", QString()), last);
        QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, u"OwnB", QString()), last);
    }
};

QTEST_GUILESS_MAIN(TestConcurrentSettings)
#include "tst_concurrentsettings.moc"
