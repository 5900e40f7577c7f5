#include "core/strength/MaskStrength.h"

#include "core/generation/CharacterClass.h"
#include "core/generation/PasswordBuilder.h"
#include "core/localisation/LanguageTexts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace MaskStrength {

namespace {

// The characters of a class, sorted, so that equal ones lie side by side.
std::vector<char32_t> sortedCharacters(const CharacterClass &drawFrom)
{
    std::vector<char32_t> points(drawFrom.size());
    for (quint32 i = 0; i < drawFrom.size(); ++i)
        points[i] = drawFrom.at(i);
    std::sort(points.begin(), points.end());
    return points;
}

} // namespace

double Strength::keySpace() const
{
    if (exactKeySpace)
        return double(*exactKeySpace);
    return std::exp2(log2KeySpace);
}

double classEntropy(const CharacterClass &drawFrom)
{
    if (drawFrom.isEmpty())
        return 0;
    // H = log2 n - (1/n) * sum of c log2 c over the counts c of each character.
    const std::vector<char32_t> points = sortedCharacters(drawFrom);
    const double n = double(points.size());
    double weighted = 0;
    for (size_t i = 0; i < points.size();) {
        size_t j = i + 1;
        while (j < points.size() && points[j] == points[i])
            ++j;
        const double c = double(j - i);
        weighted += c * std::log2(c);
        i = j;
    }
    return std::max(0.0, std::log2(n) - weighted / n);
}

quint32 distinctCharacters(const CharacterClass &drawFrom)
{
    std::vector<char32_t> points = sortedCharacters(drawFrom);
    return quint32(std::unique(points.begin(), points.end()) - points.begin());
}

Strength measure(const PasswordBuilder &builder)
{
    Strength strength;
    // Each class is measured once, however many symbols draw from it.
    struct Measured
    {
        const CharacterClass *drawFrom;
        double bits;
        quint32 distinct;
    };
    std::vector<Measured> measured;
    const auto add = [&strength](double bits, quint32 distinct) {
        ++strength.draws;
        strength.bits += bits;
        strength.log2KeySpace += std::log2(double(distinct));
        if (strength.exactKeySpace) {
            quint64 product;
            if (__builtin_mul_overflow(*strength.exactKeySpace, quint64(distinct), &product))
                strength.exactKeySpace.reset();
            else
                strength.exactKeySpace = product;
        }
    };
    for (const PasswordBuilder::Step &step : builder.steps()) {
        if (step.kind == PasswordBuilder::Step::Word) {
            // The words of a list are distinct and equally likely.
            const quint32 words = builder.wordList().words->size();
            add(std::log2(double(words)), words);
        }
        if (step.kind != PasswordBuilder::Step::Draw)
            continue;
        const CharacterClass &drawFrom = builder.stepClass(step);
        auto found =
            std::find_if(measured.begin(), measured.end(), [&](const Measured &m) { return m.drawFrom == &drawFrom; });
        if (found == measured.end()) {
            measured.push_back({&drawFrom, classEntropy(drawFrom), distinctCharacters(drawFrom)});
            found = measured.end() - 1;
        }
        add(found->bits, found->distinct);
    }
    return strength;
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
