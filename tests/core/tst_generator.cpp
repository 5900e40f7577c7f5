#include "TestSupport.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/MemoryResultList.h"
#include "core/generation/PasswordGenerator.h"
#include "core/generation/WordList.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using Settings::write;
namespace Name = Settings::Name;

namespace {

QStringList rowsOf(const ItemList &list)
{
    QStringList rows;
    for (int k = 0; k < list.GetItemCount(); ++k)
        rows.append(list.ItemText(k, 0));
    return rows;
}

// A result list that records every heading it was given.
class RecordingList final : public ResultList
{
public:
    MemoryResultList rows;
    QStringList headings;
    int GetItemCount() const override { return rows.GetItemCount(); }
    QString ItemText(int row, int column) const override { return rows.ItemText(row, column); }
    void clearItems() override { rows.clearItems(); }
    void appendItem() override { rows.appendItem(); }
    void setItemText(int row, QStringView text) override { rows.setItemText(row, text); }
    void setHeading(const ColumnHeading &heading) override { headings.append(heading.text()); }
    QStringView rowView(int row) const override { return rows.rowView(row); }
    void showRow(int row) override { rows.showRow(row); }
};

// Chi-square goodness of fit against a uniform spread, with a critical value
// far in the tail (z = 4.5, Wilson-Hilferty) so that a sound generator fails
// about once in 300,000 runs.
template <typename Key>
bool looksUniform(const QHash<Key, qint64> &counts, int categories, qint64 draws, double *statistic)
{
    const double expected = double(draws) / categories;
    double chi = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        chi += (it.value() - expected) * (it.value() - expected) / expected;
    chi += (categories - counts.size()) * expected; // categories never drawn
    const double df = categories - 1;
    const double critical = df * std::pow(1 - 2 / (9 * df) + 4.5 * std::sqrt(2 / (9 * df)), 3);
    *statistic = chi;
    return counts.size() == categories && chi < critical;
}

} // namespace

class TestGenerator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        QVERIFY(m_folder.isValid());
        QDir(m_folder.path()).mkpath(u"Language"_s);
        QFile english(m_folder.filePath(u"Language/English.lng"_s));
        QVERIFY(english.open(QIODevice::WriteOnly));
        english.write("[List]\r\nList01=Generated Passwords\r\nList02=Generating\r\n");
        english.close();
        ProgramFolder::setFolderForTesting(m_folder.path());
        m_words = writeFile(u"words.txt"_s, "kite\norbit\nlunar\n");
    }
    void init()
    {
        m_home->resetStore();
        TestSupport::writeStartupDefaults();
    }

    void masksGivePasswordsOfTheirShape()
    {
        const QString special = u"[{|}~\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"
                                u"\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178"
                                u"\u00A1-\u00AC\u00AE-\u00FF]"_s;
        const QString customSpecial = u"[`~!@#$%^&*()_\\-+={\\[\\]}\\\\|;:'<>,/?]"_s;
        const QString word = u"(kite|orbit|lunar)"_s;
        // stored name=value pairs over the start-up defaults, mask, pattern of every password
        const auto row = [this](const char * /*name*/, QStringList stored, QString mask, QString pattern) {
            m_home->resetStore();
            TestSupport::writeStartupDefaults();
            checkShape(stored, mask, pattern);
        };
        row("default X#x@", {}, u"X#x@"_s, u"[A-Z][0-9][a-z]"_s + special);
        row("literals copied", {}, u"ab-X.#"_s, u"ab-[A-Z]\\.[0-9]"_s);
        row("custom classes", {u"GenOpt=1"_s}, u"X#x@"_s, u"[A-Z][0-9][a-z]"_s + customSpecial);
        row("empty mode is default", {u"GenOpt="_s}, u"X#x@i"_s, u"[A-Z][0-9][a-z]"_s + special + u"[0-9]+"_s);
        row("supplementary literal", {}, u"𝄞X"_s, u"𝄞[A-Z]"_s);
        row("lower symbol wins over upper", {u"uMask=x"_s}, u"xxxx"_s, u"[a-z]{4}"_s);
        row("two-character symbol never matches", {u"uMask=XX"_s}, u"XXxx"_s, u"XX[a-z]{2}"_s);
        row("empty symbol takes its default", {u"nMask="_s}, u"#X"_s, u"[0-9][A-Z]"_s);
        row("empty class takes its default", {u"GenOpt=1"_s, u"AlphaU="_s}, u"X#X#"_s, u"([A-Z][0-9]){2}"_s);
        row("supplementary class", {u"GenOpt=1"_s, u"AlphaL=𝄞"_s}, u"xx"_s, u"𝄞𝄞"_s);
        row("supplementary symbol", {u"GenOpt=1"_s, u"sMask=𝄞"_s}, u"𝄞@"_s, customSpecial + u"@"_s);
        row("words, classes, literals, counter", {u"wMask=w"_s}, u"w-X#-i-w"_s, word + u"-[A-Z][0-9]-[0-9]+-"_s + word);
        row("word symbol tested after the five others", {u"wMask=x"_s}, u"xx"_s, u"[a-z]{2}"_s);
        row("no word symbol: copied", {}, u"w#"_s, u"w[0-9]"_s);
        row("two-character word symbol never matches", {u"wMask=ww"_s}, u"ww"_s, u"ww"_s);
        row("default upper without look-alikes", {u"NoLookAlike=1"_s}, u"XXXXXXXXXX"_s,
            u"[ACDEFGHJKLMNPQRTUVWXY]{10}"_s);
        row("a class of look-alikes only stays whole", {u"NoLookAlike=1"_s, u"GenOpt=1"_s, u"Numeric=0O"_s},
            u"##########"_s, u"[0O]{10}"_s);
    }
    // The counter runs on over the whole batch, past 16 bits; duplicates,
    // empty passwords and counts below one add nothing.
    void counterRunsOverTheBatchAndDuplicatesAreDropped()
    {
        MemoryResultList list;
        GeneratePasswords(list, 40000, u"i-i"_s);
        QCOMPARE(list.GetItemCount(), 40000);
        QCOMPARE(rowsOf(list).mid(0, 2), (QStringList{u"0-1"_s, u"2-3"_s}));
        QCOMPARE(list.ItemText(39999, 0), u"79998-79999"_s);

        GeneratePasswords(list, 1000, u"abcd"_s);
        QCOMPARE(rowsOf(list), QStringList{u"abcd"_s});
        GeneratePasswords(list, 2000, u"##"_s); // 100 possible passwords
        const QStringList rows = rowsOf(list);
        QCOMPARE(QSet<QString>(rows.cbegin(), rows.cend()).size(), 100);
        QCOMPARE(rows.size(), 100);

        for (int count : {5, 0, -5}) {
            GeneratePasswords(list, count, count > 0 ? QString() : u"X###"_s);
            QCOMPARE(list.GetItemCount(), 0);
            QCOMPARE(list.shownRow(), -1);
            QCOMPARE(list.headingText(), u"Generated Passwords"_s);
        }
    }

    void headingShowsProgressThenTheListText()
    {
        RecordingList list;
        GeneratePasswords(list, 3, u"X###"_s);
        QCOMPARE(list.headings, (QStringList{u"Generating [1/3]"_s, u"Generating [2/3]"_s, u"Generating [3/3]"_s,
                                             u"Generated Passwords"_s}));
        QCOMPARE(list.rows.shownRow(), 0);

        write(Name::Language, u"Klingon"_s); // no such file: the English texts
        list.headings.clear();
        GeneratePasswords(list, 2, u"abcd"_s);
        QCOMPARE(list.headings, (QStringList{u"Generating [1/2]"_s, u"Generated Passwords"_s}));
    }

    // Only when asked, owner-only, one line each, emptied by an empty batch;
    // installed in a new home, the per-user folder is made for it.
    void lastGeneratedIsWrittenOwnerOnly()
    {
        ProgramFolder::setFolderForTesting(QString());
        const QString path = ProgramFolder::path(ProgramFolder::File::LastGenerated);
        QVERIFY(path.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
        MemoryResultList list;
        GeneratePasswords(list, 2, u"X###"_s);
        QVERIFY(!QFile::exists(path));

        write(Name::LastGen, u"1"_s);
        GeneratePasswords(list, 2, u"i###"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(QRegularExpression(u"^0\\d{3}\r\n1\\d{3}\r\n$"_s).match(QString::fromLatin1(content)).hasMatch());
        QCOMPARE(int(file.permissions() & 0x00FF), 0);
        file.close();

        GeneratePasswords(list, 0, u"i###"_s);
        ProgramFolder::setFolderForTesting(m_folder.path());
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    // Every class, in both modes, is exactly uniform: one million draws.
    void classesAreUniform_data()
    {
        QTest::addColumn<QString>("genOpt");
        QTest::addColumn<QChar>("symbol");
        QTest::addColumn<int>("categories");
        for (const QString &genOpt : {u"0"_s, u"1"_s}) // custom special: 31 characters, '>' twice
            for (const auto &[symbol, categories] : {std::pair{u'X', 26}, {u'x', 26}, {u'#', 10}, {u'@', 0}})
                QTest::addRow("%s %c", genOpt == u"0"_s ? "default" : "custom", char(symbol))
                    << genOpt << QChar(symbol)
                    << (categories         ? categories
                        : genOpt == u"0"_s ? 125
                                           : 30);
    }
    void classesAreUniform()
    {
        QFETCH(QString, genOpt);
        QFETCH(QChar, symbol);
        QFETCH(int, categories);
        write(Name::GenOpt, genOpt);
        MemoryResultList list;
        const int perPassword = 100;
        GeneratePasswords(list, 10000, QString(perPassword, symbol));
        QCOMPARE(list.GetItemCount(), 10000);

        QHash<QChar, qint64> counts;
        for (int k = 0; k < list.GetItemCount(); ++k) {
            for (QChar c : list.rowView(k))
                ++counts[c];
        }
        qint64 draws = 10000LL * perPassword;
        if (categories == 30) {
            // '>' is in the class twice: it must come twice as often.
            const double share = double(counts.value(u'>')) / draws;
            QVERIFY2(std::abs(share - 2.0 / 31) < 0.002, qPrintable(QString::number(share)));
            draws -= counts.take(u'>');
            --categories;
        }
        double chi = 0;
        QVERIFY2(looksUniform(counts, categories, draws, &chi),
                 qPrintable(u"chi-square %1 over %2 categories"_s.arg(chi).arg(counts.size())));
    }

    void wordLists()
    {
        const QStringList three{u"kite"_s, u"orbit"_s, u"lunar"_s};
        const QString tooFew = u"fewer than 2 different words"_s;
        // bytes, capitalised, words read (none: the list can't be used), problem
        const QList<std::tuple<QByteArray, bool, QStringList, QString>> rows{
            {"kite\norbit\nlunar\n", false, three, {}},
            {"11111\tkite\r\n11112  orbit\r\n11113 lunar", false, three, {}}, // dice form, tab, blanks, CR LF
            {"\xEF\xBB\xBFkite\n\n  \norbit\nkite\nlunar moon\n 7 lunar \n", false, three, {}}, // skipped lines
            {"kite\nKite\n\xC3\xA9t\xC3\xA9\n", true, {u"Kite"_s, u"Été"_s}, {}},
            {QByteArray("a\nb") + QByteArray(999999, '\n'), false, {u"a"_s, u"b"_s}, {}},
            {"kite\norbit\n\x1B[2Jred\nab\u202Ecd\nx\u2066y\nlunar\n", false, three, {}}, // controls, overrides
            {"kite\n kite\n", false, {}, tooFew},
            {{}, false, {}, tooFew},
            {"kite\n\xE9t\xE9\n", false, {}, u"not UTF-8 text"_s},
            {QByteArray("a\nb") + QByteArray(1000000, '\n'), false, {}, u"more than 1,000,000 lines"_s},
            {QByteArray((16 << 20) + 1, 'a'), false, {}, u"larger than 16 MiB"_s}};
        for (const auto &[bytes, capitalise, words, problem] : rows) {
            const WordList::Read list = WordList::parse(bytes, capitalise);
            QVERIFY2(list.outcome.reason().contains(problem), qPrintable(list.outcome.reason()));
            QStringList read;
            for (quint32 i = 0; list.words && i < list.words->size(); ++i)
                read.append(list.words->at(i).toString());
            QCOMPARE(read, words);
        }
    }

    // A million draws over the list's indices, below and above 256 words.
    void wordsAreUniform()
    {
        for (int size : {7, 7776}) {
            QByteArray words;
            for (int k = 0; k < size; ++k)
                words += QByteArray::number(k) + " w" + QByteArray::number(k) + '\n';
            write(Name::Words, writeFile(u"uniform.txt"_s, words));
            write(Name::wMask, u"w"_s);
            MemoryResultList list;
            QCOMPARE(GeneratePasswords(list, 10000, QString(100, u'w')).wordList.reason(), QString());
            QHash<int, qint64> counts;
            for (int k = 0; k < list.GetItemCount(); ++k) {
                for (QStringView drawn : list.rowView(k).tokenize(u'w', Qt::SkipEmptyParts))
                    ++counts[drawn.toInt()];
            }
            double chi = 0;
            QVERIFY2(looksUniform(counts, size, 1000000, &chi), qPrintable(QString::number(chi)));
        }
    }

    // The strength meter asks at every key press: an unchanged list, usable
    // or not, is not read again; a changed one is.
    void unchangedWordListIsNotReadAgain()
    {
        const auto bytesRead = [] {
            QFile io(u"/proc/self/io"_s);
            return io.open(QIODevice::ReadOnly) ? io.readLine().mid(7).trimmed().toLongLong() : -1; // rchar
        };
        const QString path = writeFile(u"large.txt"_s, QByteArray(8 << 20, 'a'));
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append) &&
                file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        for (int time = 0; time < 2; ++time) {
            const qint64 before = bytesRead();
            QVERIFY(WordList::read(path, false).outcome.reason().contains(u"fewer than 2"_s));
            QCOMPARE(bytesRead() - before > (8 << 20), time == 0);
        }
        QVERIFY(file.write("\nb\n") == 3);
        file.close();
        QVERIFY(WordList::read(path, false).outcome.ok()); // two words now
    }

    void unusableWordListIsReported()
    {
        MemoryResultList list;
        GeneratePasswords(list, 1, u"abcd"_s);
        write(Name::wMask, u"w"_s);
        write(Name::Words, writeFile(u"bad.txt"_s, "kite\nkite\n"));
        QCOMPARE(GeneratePasswords(list, 5, u"w-##"_s).wordList.reason(),
                 u"The word list %1 can't be used: it holds fewer than 2 different words."_s.arg(
                     m_folder.filePath(u"bad.txt"_s)));
        QCOMPARE(rowsOf(list), QStringList{u"abcd"_s});
        write(Name::Words, QString()); // the shipped list, not in this program folder
        QVERIFY(GeneratePasswords(list, 5, u"w-##"_s)
                    .wordList.reason()
                    .contains(u"words/wordlist_en_eff.txt can't be used: it can't be read"_s));
        QVERIFY(::mkfifo(qPrintable(m_folder.filePath(u"fifo"_s)), 0600) == 0);
        write(Name::Words, m_folder.filePath(u"fifo"_s));
        QVERIFY(GeneratePasswords(list, 5, u"w-##"_s).wordList.reason().endsWith(u"it is not a file."_s));
    }

private:
    void checkShape(const QStringList &stored, const QString &mask, const QString &pattern)
    {
        write(Name::Words, m_words);
        for (const QString &pair : stored)
            write(QLatin1String(pair.section(u'=', 0, 0).toLatin1()), pair.section(u'=', 1));
        MemoryResultList list;
        QCOMPARE(GeneratePasswords(list, 20, mask).wordList.reason(), QString());
        QVERIFY(list.GetItemCount() > 0);
        const QRegularExpression re(QRegularExpression::anchoredPattern(pattern));
        for (const QString &row : rowsOf(list))
            QVERIFY2(re.match(row).hasMatch(), qPrintable(row + u" from "_s + mask));
    }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }

    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    QTemporaryDir m_folder;
    QString m_words; // kite, orbit, lunar
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
