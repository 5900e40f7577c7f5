#include "TestSupport.h"

#include "core/strength/MaskStrength.h"

#include <QDir>

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
    void masks_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<GenerationSettings>("settings");
        QTest::addColumn<double>("bits");
        QTest::addColumn<double>("log2KeySpace");
        QTest::addColumn<int>("draws");

        const GenerationSettings byDefault = withMode(GenerationMode::Default);
        QTest::addRow("literals and counter add nothing")
            << u"ab-i.#i"_s << byDefault << std::log2(10.0) << std::log2(10.0) << 1;
        QTest::addRow("empty mask") << QString() << byDefault << 0.0 << 0.0 << 0;
        QTest::addRow("repeated characters: aab")
            << u"XXX"_s << custom(u"aab"_s, u"0"_s) << 3 * (std::log2(3.0) - 2.0 / 3.0) << 3.0 << 3;
        QTest::addRow("one character gives nothing") << u"##"_s << custom(u"A"_s, u"777"_s) << 0.0 << 0.0 << 2;
        QTest::addRow("empty class adds nothing") << u"X#X"_s << custom(QString(), u"01"_s) << 1.0 << 1.0 << 1;
        QTest::addRow("supplementary characters") << u"X"_s << custom(u"𝄞𝄢ab"_s, u"0"_s) << 2.0 << 2.0 << 1;
        const double word = std::log2(7776.0); // the shipped list
        QTest::addRow("words and a digit") << u"w-w#"_s << withMode(GenerationMode::Default, m_eff)
                                           << 2 * word + std::log2(10.0) << 2 * word + std::log2(10.0) << 3;
        QTest::addRow("unusable word list adds nothing")
            << u"w#"_s << withMode(GenerationMode::Default, QDir::tempPath()) << std::log2(10.0) << std::log2(10.0)
            << 1;
        QTest::addRow("without look-alikes") << u"#X"_s << withMode(GenerationMode::Default, m_eff, true)
                                             << std::log2(5.0 * 21) << std::log2(5.0 * 21) << 2;
        QTest::addRow("custom default classes") << u"@@"_s << withMode(GenerationMode::Custom)
                                                << 2 * (std::log2(31.0) - 2.0 / 31.0) << 2 * std::log2(30.0) << 2;
    }
    void masks()
    {
        QFETCH(QString, mask);
        QFETCH(GenerationSettings, settings);
        QFETCH(double, bits);
        QFETCH(double, log2KeySpace);
        QFETCH(int, draws);
        const MaskStrength::Strength s = MaskStrength::measure(mask, settings);
        QVERIFY2(std::abs(s.bits - bits) < 1e-9, qPrintable(QString::number(s.bits, 'g', 17)));
        QVERIFY2(std::abs(s.log2KeySpace - log2KeySpace) < 1e-9, qPrintable(QString::number(s.log2KeySpace)));
        QCOMPARE(s.draws, draws);
    }

    void keySpace_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("exact");
        QTest::addRow("nothing to draw: one password") << u"abc"_s << u"1"_s << true;
        QTest::addRow("two digits") << u"##"_s << u"100"_s << true;
        QTest::addRow("just below 10^15") << u"###############"_s.left(14) << u"100000000000000"_s << true;
        QTest::addRow("10^15 in short form") << u"###############"_s << u"1.00e+15"_s << true;
        QTest::addRow("past 64 bits") << QString(20, u'#') << u"1.00e+20"_s << false;
        QTest::addRow("past a double") << QString(400, u'#') << u"1.00e+400"_s << false;
        QTest::addRow("26^100") << QString(100, u'X') << u"3.14e+141"_s << false;
        QTest::addRow("7776^5 words") << u"wwwww"_s << u"2.84e+19"_s << false;
    }
    void keySpace()
    {
        QFETCH(QString, mask);
        QFETCH(QString, text);
        QFETCH(bool, exact);
        const MaskStrength::Strength s = MaskStrength::measure(mask, withMode(GenerationMode::Default, m_eff));
        QCOMPARE(MaskStrength::keySpaceText(s), text);
        QCOMPARE(s.exactKeySpace.has_value(), exact);
        if (exact)
            QCOMPARE(s.keySpace(), double(*s.exactKeySpace));
        else
            QVERIFY(s.keySpace() > 1.8e19);
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
    const QString m_eff = qEnvironmentVariable("TESSARO_BIN_DIR") + u"/words/wordlist_en_eff.txt"_s;
};

QTEST_GUILESS_MAIN(TestStrength)
#include "tst_strength.moc"
