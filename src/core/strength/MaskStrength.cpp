#include "core/strength/MaskStrength.h"

#include "core/generation/CharacterClass.h"
#include "core/generation/PasswordBuilder.h"
#include "core/localisation/LanguageTexts.h"
#include "core/strength/WordListShape.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

namespace MaskStrength {

namespace {

// Masks whose words can run together are counted password by password up
// to this many draws (and this many UTF-16 units built in all): a list of
// 256 words under two word symbols, in some 30 ms at a key press.
constexpr quint64 kMostCounted = quint64(1) << 16;
constexpr quint64 kMostCountedUnits = quint64(1) << 22;

// The characters of a class, sorted, so that equal ones lie side by side.
std::vector<char32_t> sortedCharacters(const CharacterClass &drawFrom)
{
    std::vector<char32_t> points(drawFrom.size());
    for (quint32 i = 0; i < drawFrom.size(); ++i)
        points[i] = drawFrom.at(i);
    std::sort(points.begin(), points.end());
    return points;
}

// Each different character of a class and how often the class lists it.
std::vector<std::pair<char32_t, quint32>> characterCounts(const CharacterClass &drawFrom)
{
    std::vector<std::pair<char32_t, quint32>> counts;
    for (const char32_t point : sortedCharacters(drawFrom)) {
        if (counts.empty() || counts.back().first != point)
            counts.push_back({point, 0});
        ++counts.back().second;
    }
    return counts;
}

void appendPoint(std::u16string &text, char32_t point)
{
    if (QChar::requiresSurrogates(point)) {
        text.push_back(QChar::highSurrogate(point));
        text.push_back(QChar::lowSurrogate(point));
    } else {
        text.push_back(char16_t(point));
    }
}

using Step = PasswordBuilder::Step;

// What one step of a mask draws: how many different outcomes, and the bits
// of its likeliest one.
struct StepFigures
{
    quint64 outcomes = 1;
    double bits = 0;
};

class Measurer
{
public:
    explicit Measurer(const PasswordBuilder &builder) : m_builder(builder), m_steps(builder.steps())
    {
        m_figures.resize(m_steps.size());
        std::vector<std::optional<StepFigures>> byClass;
        for (size_t i = 0; i < m_steps.size(); ++i) {
            const Step &step = m_steps[i];
            if (step.kind == Step::Word) {
                const quint32 words = builder.wordList().words->size();
                m_figures[i] = {words, std::log2(double(words))};
            } else if (step.kind == Step::Draw) {
                // Each class is measured once, however many symbols draw from it.
                if (byClass.size() <= size_t(step.classIndex))
                    byClass.resize(size_t(step.classIndex) + 1);
                std::optional<StepFigures> &figures = byClass[size_t(step.classIndex)];
                if (!figures) {
                    const CharacterClass &drawFrom = builder.stepClass(step);
                    figures = StepFigures{distinctCharacters(drawFrom), classBits(drawFrom)};
                }
                m_figures[i] = *figures;
            }
        }
    }

    Strength measure()
    {
        Strength strength;
        for (size_t i = 0; i < m_steps.size(); ++i) {
            if (m_steps[i].kind == Step::Draw || m_steps[i].kind == Step::Word) {
                ++strength.draws;
                add(strength, m_figures[i].outcomes, m_figures[i].bits);
            }
        }
        strength.log2LeastKeySpace = strength.log2KeySpace;
        const auto isWord = [](const Step &step) { return step.kind == Step::Word; };
        const auto first = std::find_if(m_steps.begin(), m_steps.end(), isWord);
        const auto last = std::find_if(m_steps.rbegin(), m_steps.rend(), isWord);
        if (first == m_steps.end() || first == last.base() - 1)
            return strength; // at most one word: every password reads back one way
        m_firstWord = size_t(first - m_steps.begin());
        m_lastWord = size_t(last.base() - 1 - m_steps.begin());

        const double ambiguousBits = bitsOfMostReadings();
        if (ambiguousBits == 0)
            return strength;
        // From the first word to the last lies the only stretch of the
        // password that can be read in more than one way: everything before
        // and after it has a fixed number of characters.
        std::optional<std::pair<quint64, double>> middle = countMiddle();
        if (!middle) {
            strength.exact = false;
            strength.bits = std::max(0.0, strength.bits - ambiguousBits);
            strength.log2LeastKeySpace = std::max(0.0, strength.log2KeySpace - ambiguousBits);
            return strength;
        }
        Strength counted;
        counted.draws = strength.draws;
        for (size_t i = 0; i < m_steps.size(); ++i) {
            if (i < m_firstWord || i > m_lastWord)
                add(counted, m_figures[i].outcomes, m_figures[i].bits);
        }
        add(counted, middle->first, middle->second);
        counted.log2LeastKeySpace = counted.log2KeySpace;
        return counted;
    }

private:
    static void add(Strength &strength, quint64 outcomes, double bits)
    {
        strength.bits += bits;
        strength.log2KeySpace += std::log2(double(outcomes));
        if (strength.exactKeySpace) {
            quint64 product;
            if (__builtin_mul_overflow(*strength.exactKeySpace, outcomes, &product))
                strength.exactKeySpace.reset();
            else
                strength.exactKeySpace = product;
        }
    }

    // Whether no word holds any character this step can begin with (first)
    // or end with: a word next to it then ends, or begins, right there.
    bool bordersWords(const Step &step, bool first, const WordListShape &shape) const
    {
        switch (step.kind) {
        case Step::Literal: {
            const QStringView text = m_builder.stepLiteral(step);
            const QList<uint> points =
                (first ? text.first(qMin<qsizetype>(2, text.size())) : text.last(qMin<qsizetype>(2, text.size())))
                    .toUcs4();
            return !shape.holds(first ? points.front() : points.back());
        }
        case Step::Draw: {
            const CharacterClass &drawFrom = m_builder.stepClass(step);
            for (quint32 i = 0; i < drawFrom.size(); ++i) {
                if (shape.holds(drawFrom.at(i)))
                    return false;
            }
            return true;
        }
        case Step::Counter:
            for (char32_t digit = U'0'; digit <= U'9'; ++digit) {
                if (shape.holds(digit))
                    return false;
            }
            return true;
        case Step::Word:
            return false;
        }
        return false;
    }

    // log2 of the most ways one password can be read back into its draws.
    // Read from the left, each word but the last is one of a chain of words
    // that begin one another, unless the step after it borders words; read
    // from the right, the same with endings. 0 when every password reads
    // back one way.
    double bitsOfMostReadings() const
    {
        const std::shared_ptr<const WordListShape> shape = WordListShape::of(m_builder.wordList().words);
        int fromLeft = 0, fromRight = 0;
        for (size_t i = m_firstWord; i <= m_lastWord; ++i) {
            if (m_steps[i].kind != Step::Word)
                continue;
            if (i != m_lastWord && !bordersWords(m_steps[i + 1], true, *shape))
                ++fromLeft;
            if (i != m_firstWord && !bordersWords(m_steps[i - 1], false, *shape))
                ++fromRight;
        }
        return std::min(fromLeft * std::log2(double(shape->longestPrefixChain)),
                        fromRight * std::log2(double(shape->longestSuffixChain)));
    }

    // Builds every text the stretch from the first word to the last can
    // take and adds up the chance of each: the number of different texts and
    // the bits of the likeliest. Nothing when that is too costly, or when a
    // counter (a text that changes from password to password) lies inside.
    std::optional<std::pair<quint64, double>> countMiddle() const
    {
        struct Choices
        {
            std::vector<std::u16string> texts;
            std::vector<double> chances;
        };
        std::vector<Choices> choices;
        quint64 combinations = 1;
        quint64 longest = 0;
        for (size_t i = m_firstWord; i <= m_lastWord; ++i) {
            const Step &step = m_steps[i];
            Choices c;
            if (step.kind == Step::Counter) {
                return std::nullopt;
            } else if (step.kind == Step::Literal) {
                const QStringView text = m_builder.stepLiteral(step);
                c.texts.emplace_back(text.utf16(), size_t(text.size()));
                c.chances.push_back(1);
            } else if (step.kind == Step::Word) {
                const WordList &words = *m_builder.wordList().words;
                for (quint32 w = 0; w < words.size(); ++w) {
                    const QStringView word = words.at(w);
                    c.texts.emplace_back(word.utf16(), size_t(word.size()));
                    c.chances.push_back(1.0 / words.size());
                }
            } else {
                const CharacterClass &drawFrom = m_builder.stepClass(step);
                for (const auto &[point, count] : characterCounts(drawFrom)) {
                    c.texts.emplace_back();
                    appendPoint(c.texts.back(), point);
                    c.chances.push_back(double(count) / drawFrom.size());
                }
            }
            quint64 widest = 0;
            for (const std::u16string &text : c.texts)
                widest = std::max<quint64>(widest, text.size());
            longest += widest;
            if (__builtin_mul_overflow(combinations, quint64(c.texts.size()), &combinations) ||
                combinations > kMostCounted || combinations * longest > kMostCountedUnits)
                return std::nullopt;
            choices.push_back(std::move(c));
        }

        std::unordered_map<std::u16string, double> chanceOf;
        chanceOf.reserve(size_t(combinations));
        std::vector<size_t> at(choices.size(), 0);
        std::u16string text;
        for (;;) {
            text.clear();
            double chance = 1;
            for (size_t k = 0; k < choices.size(); ++k) {
                text += choices[k].texts[at[k]];
                chance *= choices[k].chances[at[k]];
            }
            chanceOf[text] += chance;
            // The next draw, the last step turning fastest.
            size_t k = choices.size();
            while (k > 0 && ++at[k - 1] == choices[k - 1].texts.size())
                at[--k] = 0;
            if (k == 0)
                break;
        }
        double likeliest = 0;
        for (const auto &[counted, chance] : chanceOf)
            likeliest = std::max(likeliest, chance);
        return std::pair{quint64(chanceOf.size()), std::max(0.0, -std::log2(likeliest))};
    }

    const PasswordBuilder &m_builder;
    const std::vector<Step> &m_steps;
    std::vector<StepFigures> m_figures;
    size_t m_firstWord = 0;
    size_t m_lastWord = 0;
};

} // namespace

double Strength::keySpace() const
{
    if (exactKeySpace)
        return double(*exactKeySpace);
    return std::exp2(log2KeySpace);
}

double classBits(const CharacterClass &drawFrom)
{
    if (drawFrom.isEmpty())
        return 0;
    quint32 mostOften = 0;
    for (const auto &[point, count] : characterCounts(drawFrom))
        mostOften = std::max(mostOften, count);
    return std::log2(double(drawFrom.size()) / mostOften);
}

quint32 distinctCharacters(const CharacterClass &drawFrom)
{
    return quint32(characterCounts(drawFrom).size());
}

Strength measure(const PasswordBuilder &builder)
{
    return Measurer(builder).measure();
}

Strength measure(const QString &mask, const GenerationSettings &settings)
{
    return measure(PasswordBuilder(mask, settings));
}

Rating rate(double bits)
{
    if (bits < 40)
        return Rating::Poor;
    if (bits < 65)
        return Rating::Weak;
    if (bits < 100)
        return Rating::Good;
    return Rating::Excellent;
}

QString englishWord(Rating rating)
{
    return Localisation::englishText(LanguageSection, languageKey(rating));
}

QString languageKey(Rating rating)
{
    return QStringLiteral("Strength%1").arg(int(rating) + 1, 2, 10, QLatin1Char('0'));
}

QString keySpaceText(const Strength &strength)
{
    if (strength.exactKeySpace && *strength.exactKeySpace < quint64(1000000000000000))
        return QString::number(*strength.exactKeySpace);
    // Mantissa and exponent from the logarithm, so no double has to hold the number.
    const double log10 = strength.log2KeySpace * std::log10(2.0);
    double exponent = std::floor(log10);
    double mantissa = std::round(std::pow(10.0, log10 - exponent) * 100) / 100;
    if (mantissa >= 10) {
        mantissa /= 10;
        exponent += 1;
    }
    return QStringLiteral("%1e+%2").arg(mantissa, 0, 'f', 2).arg(qint64(exponent));
}

} // namespace MaskStrength
