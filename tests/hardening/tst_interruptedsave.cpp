#include "generation/ListFiles.h"
#include "generation/MemoryResultList.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The size of a file that the process holds open for writing in the folder
// (the writer's temporary file, named or not, or the target itself should a
// writer write in place); -1 when there is none.
qint64 pendingWriteSize(qint64 pid, const QString &folder)
{
    const QDir descriptors(u"/proc/%1/fd"_s.arg(pid));
    const QStringList entries = descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        const QByteArray link = QFile::encodeName(descriptors.filePath(entry));
        char buffer[4096];
        const ssize_t length = ::readlink(link.constData(), buffer, sizeof buffer - 1);
        if (length <= 0 || !QFile::decodeName(QByteArray(buffer, length)).startsWith(folder + u'/'))
            continue;
        QFile fdinfo(u"/proc/%1/fdinfo/%2"_s.arg(pid).arg(entry));
        if (!fdinfo.open(QIODevice::ReadOnly))
            continue;
        int flags = 0; // the line "flags:\t0100002", in octal
        for (const QByteArray &line : fdinfo.readAll().split('\n')) {
            if (line.startsWith("flags:"))
                flags = line.mid(6).trimmed().toInt(nullptr, 8);
        }
        const int accessMode = flags & O_ACCMODE;
        struct stat info;
        if (accessMode != O_RDONLY && ::stat(link.constData(), &info) == 0)
            return info.st_size;
    }
    return -1;
}

} // namespace

// A save that is killed outright in the middle of writing (SIGKILL: no
// handler, no clean-up) must leave the earlier file byte for byte, and no
// partial file in its place.
class TestInterruptedSave : public QObject
{
    Q_OBJECT

private:
    static constexpr int kItems = 2000000; // about 80 MB, long enough to be caught writing

private slots:
    void killedSaveLeavesTheEarlierFile_data()
    {
        QTest::addColumn<bool>("earlierExists");
        QTest::newRow("over an earlier file") << true;
        QTest::newRow("where there was none") << false;
    }

    void killedSaveLeavesTheEarlierFile()
    {
        QFETCH(bool, earlierExists);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = QDir(dir.path()).canonicalPath();
        const QString path = folder + u"/lastgenerated.txt"_s;
        const QString helper = QCoreApplication::applicationDirPath() + u"/hardening-helper"_s;

        MemoryResultList earlierList;
        for (const QString &item : {u"Kqmz-4071"_s, u"earlier"_s, QString(), u"Ab#9"_s}) {
            earlierList.appendItem();
            earlierList.setItemText(earlierList.GetItemCount() - 1, item);
        }

        bool caughtWriting = false;
        for (int attempt = 0; attempt < 5 && !caughtWriting; ++attempt) {
            QFile::remove(path);
            if (earlierExists)
                QVERIFY(SaveListToFile(path, earlierList).ok);
            const QByteArray earlier = earlierExists ? contentOf(path) : QByteArray();

            QProcess saver;
            saver.start(helper, {u"save"_s, path, QString::number(kItems)});
            QVERIFY2(saver.waitForStarted(), qPrintable(helper));
            QVERIFY(saver.waitForReadyRead(120000));
            const QByteArray ready = saver.readLine().trimmed();
            QVERIFY2(ready.startsWith("ready "), ready.constData());
            const qint64 total = ready.mid(6).toLongLong();

            // Kill it once part of the new file is written, but not all.
            qint64 sizeAtKill = -1;
            QElapsedTimer waited;
            waited.start();
            for (int poll = 0; !waited.hasExpired(120000); ++poll) {
                const qint64 size = pendingWriteSize(saver.processId(), folder);
                if (size > 0 && size < total) {
                    ::kill(pid_t(saver.processId()), SIGKILL);
                    sizeAtKill = size;
                    break;
                }
                if (poll % 256 == 0 && saver.waitForFinished(0))
                    break;
                QThread::usleep(50);
            }
            if (saver.state() != QProcess::NotRunning)
                QVERIFY(saver.waitForFinished(60000));

            if (sizeAtKill < 0) {
                // Missed: the save ran to the end, so the new file is whole.
                QCOMPARE(saver.exitCode(), 0);
                QCOMPARE(QFileInfo(path).size(), total);
                continue;
            }
            caughtWriting = true;
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
            if (earlierExists)
                QCOMPARE(contentOf(path), earlier);
            else
                QVERIFY2(!QFileInfo::exists(path), "a partial file appeared");
            const QStringList left =
                QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            QCOMPARE(left, earlierExists ? QStringList{u"lastgenerated.txt"_s} : QStringList());
            qInfo("killed after %lld of %lld bytes", sizeAtKill, total);
        }
        QVERIFY2(caughtWriting, "the save always finished before it could be killed");
    }
};

QTEST_GUILESS_MAIN(TestInterruptedSave)
#include "tst_interruptedsave.moc"
