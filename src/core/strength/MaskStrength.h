#pragma once

#include "core/generation/GenerationSettings.h"

#include <QLatin1String>
#include <QString>

#include <optional>

class CharacterClass;
class PasswordBuilder;

// How hard the passwords of a mask are to guess, under the generation
// settings that make them: the figures behind the strength meter and
// `tessaro-cli --entropy`.
//
// The bits are the min-entropy: -log2 of the chance of the likeliest
// password, what an attacker who tries the likeliest passwords first faces.
// Each symbol that draws from a class adds -log2 of the chance of its
// likeliest character (a character listed k times in a class of n comes
// k/n of the time, so "aab" gives 0.585 bits); each word symbol adds log2 of
// the number of words in its list. Copied characters and the incrementing
// number add nothing: they are known to anyone who knows the mask. Copying
// the mask unchanged gives 0 bits.
//
// Two word symbols can make one password in two ways ("a" and "aa" give
// "aaa" both ways): that password is then likelier, and counts once.
// Such masks are counted password by password where that is cheap;
// otherwise the figures are bounds that never flatter the mask.
namespace MaskStrength {

struct Strength
{
    // Min-entropy of one password, in bits; at least this when !exact.
    double bits = 0;
    // log2 of the number of distinct passwords the random draws can give;
    // at most this when !exact.
    double log2KeySpace = 0;
    // That number as a whole number, when it fits in 64 bits (at most this
    // when !exact).
    std::optional<quint64> exactKeySpace = quint64(1);
    // log2 of the fewest distinct passwords there can be: log2KeySpace when exact.
    double log2LeastKeySpace = 0;
    // False when words can run together in more ways than were counted.
    bool exact = true;
    // The number of symbols that draw a character or a word.
    int draws = 0;

    // The number of distinct passwords as a double: infinity past about 1e308.
    double keySpace() const;
};

// The figures for a mask as the generator would read it with these settings.
Strength measure(const QString &mask, const GenerationSettings &settings);
// The same for an already-read mask.
Strength measure(const PasswordBuilder &builder);

// -log2 of the chance of the class's likeliest character (0 when empty).
double classBits(const CharacterClass &drawFrom);
// The number of different characters in the class.
quint32 distinctCharacters(const CharacterClass &drawFrom);

// The meter's verdict on a number of bits.
enum class Rating {
    Poor,      // below 40 bits
    Weak,      // 40 to below 65
    Good,      // 65 to below 100
    Excellent, // 100 and more
};

Rating rate(double bits);
// The English word, used when the language file has no text for it.
QString englishWord(Rating rating);
// Where the language files keep the word: key Strength01 to Strength04 of
// section Strength.
inline constexpr QLatin1String LanguageSection{"Strength"};
QString languageKey(Rating rating);

// The key space in words for people: an exact whole number while it is below
// 10^15, otherwise "1.23e+45"; works far past what a double holds.
QString keySpaceText(const Strength &strength);

} // namespace MaskStrength
