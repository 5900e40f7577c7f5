#include "TestSupport.h"

#include "core/strength/MaskStrength.h"

#include <QDir>
#include <QTemporaryDir>

#include <cmath>

using namespace Qt::StringLiterals;
using MaskStrength::Rating;

namespace {

GenerationSettings custom(const QString &upper, const QString &digits)
{
    GenerationSettings s = GenerationSettings::startupDefaults();
    s.mode = GenerationMode::Custom;
    s.upperClass = upper;
    s.digitClass = digits;
    return s;
}

GenerationSettings withMode(GenerationMode mode, const QString &wordList = QString(), bool noLookAlike = false)
{
    GenerationSettings s = GenerationSettings::startupDefaults();
    s.mode = mode;
    s.wordSymbol = u"w"_s;
    s.wordList = wordList;
    s.noLookAlike = noLookAlike;
    return s;
}

} // namespace

// The figures behind the strength meter: known answers for masks, classes
// with repeated characters, and the rating's edges.
class TestStrength : public QObject
{
    Q_OBJECT

private slots:
    void masks()
    {
        const GenerationSettings byDefault = withMode(GenerationMode::Default);
        const double digit = std::log2(10.0), word = std::log2(7776.0); // the shipped list
        QString lopsided(1000, u'!');
        for (char16_t c = 0x100; c < 0x100 + 1000; ++c)
            lopsided += QChar(c);
        GenerationSettings repeats = withMode(GenerationMode::Custom);
        repeats.specialClass = lopsided;
        const double many = 2 * std::log2(600.0);
        // mask, settings, bits, log2 of the key space, of its least, draws
        const QList<std::tuple<QString, GenerationSettings, double, double, double, int>> rows{
            {u"ab-i.#i"_s, byDefault, digit, digit, digit, 1}, // literals and counter add nothing
            {QString(), byDefault, 0.0, 0.0, 0.0, 0},
            {u"XXX"_s, custom(u"aab"_s, u"0"_s), 3 * std::log2(1.5), 3.0, 3.0, 3},
            {u"##"_s, custom(u"A"_s, u"777"_s), 0.0, 0.0, 0.0, 2},
            {u"X#X"_s, custom(QString(), u"01"_s), 1.0, 1.0, 1.0, 1},
            {u"X"_s, custom(u"𝄞𝄢ab"_s, u"0"_s), 2.0, 2.0, 2.0, 1},
            {QString(21, u'@'), repeats, 21.0, 21 * std::log2(1001.0), 21 * std::log2(1001.0), 21},
            {u"w-w#"_s, withMode(GenerationMode::Default, m_eff), 2 * word + digit, 2 * word + digit, 2 * word + digit,
             3},
            // No word of the shipped list begins another: every password reads back one way.
            {u"wwww"_s, withMode(GenerationMode::Default, m_eff), 4 * word, 4 * word, 4 * word, 4},
            {u"w#"_s, withMode(GenerationMode::Default, QDir::tempPath()), digit, digit, digit, 1}, // unusable list
            {u"#X"_s, withMode(GenerationMode::Default, m_eff, true), std::log2(5.0 * 21), std::log2(5.0 * 21),
             std::log2(5.0 * 21), 2},
            {u"@@"_s, withMode(GenerationMode::Custom), 2 * std::log2(15.5), 2 * std::log2(30.0), 2 * std::log2(30.0),
             2},
            // "a" and "aa": aa, aaa (two ways, one time in two) and aaaa.
            {u"ww"_s, withMode(GenerationMode::Default, m_aAndAa), 1.0, std::log2(3.0), std::log2(3.0), 2},
            {u"Xw#ww"_s, withMode(GenerationMode::Default, m_aAndAa), std::log2(26.0) + digit + 2.0,
             std::log2(26.0 * 2 * 10 * 3), std::log2(26.0 * 2 * 10 * 3), 5},
            {u"w-w"_s, withMode(GenerationMode::Default, m_aAndAa), 2.0, 2.0, 2.0, 2}, // no word holds "-"
            // Too many to count: bounds, as if each password came two ways; unless a "-" ends each word.
            {u"ww"_s, withMode(GenerationMode::Default, m_twoWays), many - 1, many, many - 1, 2},
            {u"w-w"_s, withMode(GenerationMode::Default, m_twoWays), many, many, many, 2}};
        for (const auto &[mask, settings, bits, log2KeySpace, least, draws] : rows) {
            const MaskStrength::Strength s = MaskStrength::measure(mask, settings);
            QVERIFY2(std::abs(s.bits - bits) < 1e-9, qPrintable(mask + QString::number(s.bits, 'g', 17)));
            QVERIFY2(std::abs(s.log2KeySpace - log2KeySpace) < 1e-9, qPrintable(mask));
            QVERIFY2(std::abs(s.log2LeastKeySpace - least) < 1e-9, qPrintable(mask));
            QCOMPARE(s.exact, least == log2KeySpace);
            QCOMPARE(s.draws, draws);
        }
    }

    void keySpace()
    {
        // mask, text, exact
        const QList<std::tuple<QString, QString, bool>> rows{{u"abc"_s, u"1"_s, true},
                                                             {u"##"_s, u"100"_s, true},
                                                             {QString(14, u'#'), u"100000000000000"_s, true},
                                                             {QString(15, u'#'), u"1.00e+15"_s, true},
                                                             {QString(20, u'#'), u"1.00e+20"_s, false},
                                                             {QString(400, u'#'), u"1.00e+400"_s, false},
                                                             {QString(100, u'X'), u"3.14e+141"_s, false},
                                                             {u"wwwww"_s, u"2.84e+19"_s, false}};
        for (const auto &[mask, text, exact] : rows) {
            const MaskStrength::Strength s = MaskStrength::measure(mask, withMode(GenerationMode::Default, m_eff));
            QCOMPARE(MaskStrength::keySpaceText(s), text);
            QCOMPARE(s.exactKeySpace.has_value(), exact);
            QVERIFY(exact ? s.keySpace() == double(*s.exactKeySpace) : s.keySpace() > 1.8e19);
        }
    }

    // The rating's edges; each rating's word and language key.
    void ratings()
    {
        const QList<std::pair<double, Rating>> edges{
            {0, Rating::Poor},  {39.99, Rating::Poor}, {40, Rating::Weak},       {64.99, Rating::Weak},
            {65, Rating::Good}, {99.99, Rating::Good}, {100, Rating::Excellent}, {1000, Rating::Excellent}};
        for (const auto &[bits, rating] : edges)
            QVERIFY2(MaskStrength::rate(bits) == rating, qPrintable(QString::number(bits)));
        const QStringList words{u"Poor"_s, u"Weak"_s, u"Good"_s, u"Excellent"_s};
        for (int k = 0; k < words.size(); ++k) {
            QCOMPARE(MaskStrength::englishWord(Rating(k)), words[k]);
            QCOMPARE(MaskStrength::languageKey(Rating(k)), u"Strength0%1"_s.arg(k + 1));
        }
    }

private:
    QString writeList(const QString &name, const QStringList &words) const
    {
        QFile file(m_folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(words.join(u'\n').toUtf8()) > 0 ? file.fileName()
                                                                                             : QString();
    }
    static QStringList twoWays()
    {
        QStringList words; // "ab" and "abz": each begins, or ends, at most one other
        for (int k = 0; k < 300; ++k) {
            const QString base = QString(QChar(u'a' + k / 26)) + QChar(u'a' + k % 26);
            words << base << base + u'z';
        }
        return words;
    }

    QTemporaryDir m_folder;
    const QString m_aAndAa = writeList(u"a.txt"_s, {u"a"_s, u"aa"_s});
    const QString m_twoWays = writeList(u"two.txt"_s, twoWays());
    const QString m_eff = qEnvironmentVariable("TESSARO_BIN_DIR") + u"/words/wordlist_en_eff.txt"_s;
};

QTEST_GUILESS_MAIN(TestStrength)
#include "tst_strength.moc"
