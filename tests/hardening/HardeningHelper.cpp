// The process tst_hardening starts, several at once.
//   user-masks: gives the user a mask list of their own; prints the data
//     folder, the user's folder and the English language file; status 0 when
//     the user's list exists afterwards.
//   settings NAME ROUNDS GOFILE: once GOFILE exists, writes and reads the
//     store ROUNDS times while another copy does the same; checks every read
//     (two a round) and the file; prints "reads=N other=M errors=E", M the
//     reads that gave the other writer's value; status 0 when E is 0.

#include "core/common/ProgramFolder.h"
#include "core/generation/UserMaskList.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/SettingsTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QThread>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void printLine(const QString &text)
{
    std::fputs(qPrintable(text + u'\n'), stdout);
    std::fflush(stdout);
}

int userMasks()
{
    const bool ok = ProgramFolder::ensureUserMaskList();
    printLine(ProgramFolder::dataFolder());
    printLine(ProgramFolder::userFolder());
    printLine(ProgramFolder::languageFile(u"English"_s));
    return ok ? 0 : 1;
}

// One writer of the settings store. Both writers set "Shared" to their own
// name and round ("A-17") and "Own<name>" to the round alone.
class SettingsWriter
{
public:
    SettingsWriter(const QString &name, int rounds) : m_name(name), m_rounds(rounds) {}

    int run(const QString &goFile)
    {
        QElapsedTimer waiting;
        for (waiting.start(); !QFileInfo::exists(goFile); QThread::usleep(200)) {
            if (waiting.hasExpired(60000)) {
                fail(u"the start signal never came"_s);
                return report();
            }
        }
        for (int round = 0; round < m_rounds; ++round) {
            // Before this round's write the value is the other writer's
            // (usually) or this writer's previous one; after it, this
            // writer's new one or a later one of the other writer.
            checkShared(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, u"Shared", u"<none>"_s), round - 1);
            SetRegValue(RegistryRoot::CurrentUser, Settings::Key, u"Shared", u"%1-%2"_s.arg(m_name).arg(round));
            checkShared(GetRegValue(RegistryRoot::CurrentUser, Settings::Key, u"Shared", u"<none>"_s), round);
            SetRegValue(RegistryRoot::CurrentUser, Settings::Key, ownName(), QString::number(round));
            const QString own = GetRegValue(RegistryRoot::CurrentUser, Settings::Key, ownName(), u"<none>"_s);
            if (own != QString::number(round))
                fail(u"round %1: my own value reads %2"_s.arg(round).arg(own));
            giveTheOtherATurn(round, checkFile(round));
        }
        return report();
    }

private:
    QString m_name;
    int m_rounds;
    const QString m_file =
        QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Brasmoor"_s, u"Tessaro"_s).fileName();
    int m_reads = 0;
    int m_sawOther = 0;
    int m_lastOther = -1;
    int m_errors = 0;

    int m_otherOnDisk = -1; // the other writer's last round as the file shows it
    int m_roundsAlone = 0;  // my rounds since the other last made progress

    QString ownName() const { return u"Own"_s + m_name; }
    QByteArray otherOwnName() const { return m_name == u"A" ? "OwnB" : "OwnA"; }

    // The store's lock file is taken by whoever asks first, and a writer that
    // finds it taken waits longer each time, so one writer could run all its
    // rounds while the other waits. Short random pauses let the other in; and
    // when it has made no progress for 16 rounds, this writer waits for it
    // (reading the file without the lock) so that both really take turns.
    void giveTheOtherATurn(int round, int otherOnDisk)
    {
        noteOther(round, otherOnDisk);
        QThread::msleep(QRandomGenerator::global()->bounded(8));
        if (m_roundsAlone < 16 || m_otherOnDisk == m_rounds - 1)
            return;
        QElapsedTimer waiting;
        waiting.start();
        while (m_roundsAlone > 0) {
            if (waiting.hasExpired(30000)) {
                fail(u"round %1: the other writer made no progress for 30 s"_s.arg(round));
                return;
            }
            QThread::msleep(2);
            noteOther(round, checkFile(round));
        }
    }

    void noteOther(int round, int otherOnDisk)
    {
        if (otherOnDisk < m_otherOnDisk)
            fail(u"round %1: the file went back from round %2 of the other writer to %3"_s.arg(round)
                     .arg(m_otherOnDisk)
                     .arg(otherOnDisk));
        m_roundsAlone = otherOnDisk > m_otherOnDisk ? 0 : m_roundsAlone + 1;
        m_otherOnDisk = qMax(m_otherOnDisk, otherOnDisk);
    }

    void fail(const QString &what)
    {
        if (++m_errors <= 10)
            std::fprintf(stderr, "writer %s: %s\n", qPrintable(m_name), qPrintable(what));
    }

    // "A-17" -> 17 when the text is a value some writer can have written.
    int roundOf(const QString &value, QString *writer) const
    {
        static const QRegularExpression shape(u"^([AB])-(0|[1-9][0-9]*)$"_s);
        const QRegularExpressionMatch match = shape.match(value);
        if (!match.hasMatch())
            return -1;
        const int round = match.captured(2).toInt();
        if (round >= m_rounds)
            return -1;
        *writer = match.captured(1);
        return round;
    }

    // lastOwn: the round this writer last wrote, -1 before its first write.
    void checkShared(const QString &value, int lastOwn)
    {
        ++m_reads;
        const int round = lastOwn + 1;
        QString writer;
        const int written = roundOf(value, &writer);
        if (value == u"<none>" && lastOwn < 0 && m_lastOther < 0)
            return; // nobody has written yet
        if (written < 0) {
            fail(u"round %1: read \"%2\", which nobody wrote"_s.arg(round).arg(value));
        } else if (writer == m_name) {
            if (written != lastOwn)
                fail(u"round %1: read my own older value %2"_s.arg(round).arg(value));
        } else {
            ++m_sawOther;
            // The other writer's rounds only go up; an older one is a write lost.
            if (written < m_lastOther)
                fail(u"round %1: read %2 after round %3 of the other writer"_s.arg(round).arg(value).arg(m_lastOther));
            m_lastOther = written;
        }
    }

    // The file on disk, read as bytes at any moment, is always whole.
    // Returns the other writer's last round in it, -1 when it has none yet.
    int checkFile(int round)
    {
        QFile file(m_file);
        if (!file.open(QIODevice::ReadOnly)) {
            fail(u"round %1: the settings file cannot be opened"_s.arg(round));
            return m_otherOnDisk;
        }
        int otherRound = -1, headings = 0;
        QSet<QByteArray> seen;
        for (const QByteArray &line : file.readAll().split('\n')) {
            headings += line == "[General]";
            if (line.isEmpty() || line == "[General]")
                continue;
            const qsizetype equals = line.indexOf('=');
            const QByteArray key = line.left(equals);
            const QString value = QString::fromUtf8(line.mid(equals + 1));
            const bool own = key == "OwnA" || key == "OwnB";
            QString writer;
            if (equals <= 0 || seen.contains(key) || (!own && key != "Shared") ||
                roundOf(own ? u"A-"_s + value : value, &writer) < 0)
                fail(u"round %1: the file holds the line \"%2\""_s.arg(round).arg(QString::fromUtf8(line)));
            else if (key == otherOwnName())
                otherRound = value.toInt();
            seen.insert(key);
        }
        if (headings != 1 || !seen.contains("Shared") || !seen.contains(ownName().toUtf8()))
            fail(u"round %1: the file is incomplete"_s.arg(round));
        return otherRound;
    }

    int report() const
    {
        printLine(u"reads=%1 other=%2 errors=%3"_s.arg(m_reads).arg(m_sawOther).arg(m_errors));
        return m_errors == 0 ? 0 : 1;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);
    if (command == u"user-masks" && args.size() == 1)
        return userMasks();
    if (command == u"settings" && args.size() == 4)
        return SettingsWriter(args.at(1), args.at(2).toInt()).run(args.at(3));
    std::fprintf(stderr, "usage: hardening-helper user-masks | settings NAME ROUNDS GOFILE\n");
    return 2;
}
