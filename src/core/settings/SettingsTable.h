#pragma once

#include "core/settings/SettingsStore.h"

#include <QLatin1String>
#include <QString>

#include <span>

// The one table of every setting the program keeps, with its start-up
// default. Start-up, the option panels and the tests all read it from here.

namespace Settings {

// The key every setting lives under, and the maker's key that holds the
// install-path value.
inline constexpr QLatin1String Key{"Software\\Brasmoor\\Tessaro"};
inline constexpr QLatin1String MakerKey{"Software\\Brasmoor"};
inline constexpr QLatin1String InstallPathValue{"Tessaro"};

// clang-format off
namespace Name {
inline constexpr QLatin1String Left{"Left"};               // the window's left edge, in twips
inline constexpr QLatin1String Top{"Top"};                 // the window's top edge, in twips
// The captions the tools showed last, one per tool (window/toolbar/ToolCodes.h).
inline constexpr QLatin1String TCA{"TCA"};                 // Copy All
inline constexpr QLatin1String TCS{"TCS"};                 // Copy Selected
inline constexpr QLatin1String TPO{"TPO"};                 // Program Options
inline constexpr QLatin1String TGO{"TGO"};                 // Generation Options
inline constexpr QLatin1String TIO{"TIO"};                 // Interface Options
inline constexpr QLatin1String TMO{"TMO"};                 // Mask Options
inline constexpr QLatin1String TMI{"TMI"};                 // Minimize
inline constexpr QLatin1String TXI{"TXI"};                 // Exit
inline constexpr QLatin1String THL{"THL"};                 // the Help menu
inline constexpr QLatin1String TCO{"TCO"};                 // Contents
inline constexpr QLatin1String TAO{"TAO"};                 // About
inline constexpr QLatin1String TAT{"TAT"};                 // Save as Text
inline constexpr QLatin1String TAC{"TAC"};                 // Save as CSV
inline constexpr QLatin1String TSR{"TSR"};                 // Site Rules
inline constexpr QLatin1String Language{"Language"};       // the interface language
inline constexpr QLatin1String uMask{"uMask"};             // the mask symbol of an upper-case letter
inline constexpr QLatin1String lMask{"lMask"};             // the mask symbol of a lower-case letter
inline constexpr QLatin1String nMask{"nMask"};             // the mask symbol of a digit
inline constexpr QLatin1String sMask{"sMask"};             // the mask symbol of a special character
inline constexpr QLatin1String iMask{"iMask"};             // the mask symbol of an incrementing number
inline constexpr QLatin1String wMask{"wMask"};             // the word symbol
inline constexpr QLatin1String AlphaU{"AlphaU"};           // the upper-case class
inline constexpr QLatin1String AlphaL{"AlphaL"};           // the lower-case class
inline constexpr QLatin1String Numeric{"Numeric"};         // the digit class
inline constexpr QLatin1String Special{"Special"};         // the special-character class
inline constexpr QLatin1String GenOpt{"GenOpt"};           // 0 default generation, 1 custom
inline constexpr QLatin1String WordCap{"WordCap"};         // words with a capital first letter
inline constexpr QLatin1String Words{"Words"};             // the word list file
inline constexpr QLatin1String NoLookAlike{"NoLookAlike"}; // classes without look-alike characters
inline constexpr QLatin1String String{"String"};           // the last mask
inline constexpr QLatin1String Generate{"Generate"};       // the last number generated
inline constexpr QLatin1String Rules{"Rules"};             // the last site rules, or the site they were found by
inline constexpr QLatin1String RulesLen{"RulesLen"};       // the length of the last passwords made from them
inline constexpr QLatin1String SaveM{"SaveM"};             // keep the last mask
inline constexpr QLatin1String SaveN{"SaveN"};             // keep the last number generated
inline constexpr QLatin1String OnTop{"OnTop"};             // keep the window on top
inline constexpr QLatin1String AUChk{"AUChk"};             // check for a new version at start-up
inline constexpr QLatin1String Confirm{"Confirm"};         // confirm before clearing the list
inline constexpr QLatin1String Style{"Style"};             // the "XP Style" look
inline constexpr QLatin1String LastGen{"LastGen"};         // save the last generated passwords to a file
inline constexpr QLatin1String Sound{"Sound"};             // sounds on
inline constexpr QLatin1String Clear{"Clear"};             // clear the clipboard on exit
inline constexpr QLatin1String ClearAfter{"ClearAfter"};   // clear copied passwords after 10 s
inline constexpr QLatin1String DialogSize{"DialogSize"};   // the file dialog's last size, "640x480" in pixels
} // namespace Name
// clang-format on

struct Definition
{
    QLatin1String name;
    // The text start-up writes when the value reads as empty; null for the
    // values start-up never writes (window position, last mask and count, last
    // rules and length, the word symbol and list, whose empty value means
    // "none" and "the shipped one", and the file dialog's size).
    const char *startupDefault;
    // For a tool's caption: the language key whose English text is its
    // default (the one place that text is written), else null.
    const char *captionKey = nullptr;
};

// Every setting, in the order start-up meets them.
std::span<const Definition> table();

// The start-up default of a setting, or a null QString when it has none.
QString startupDefault(QLatin1String name);

// The default special-character class: 31 characters, '>' twice, no '.'.
QString defaultSpecialClass();

// Shorthands for the one key the program uses: read with the empty text as
// the default, write at once.
QString read(QLatin1String name);
// A setting that must not stay empty: the stored text, or its start-up
// default when the store could not keep it.
QString readOrDefault(QLatin1String name);
void write(QLatin1String name, const QString &text);
// Several values in one write of the store; values that already hold their
// text are not written again.
void writeAll(const QList<RegValue> &values);
// The start-up default of every setting that reads as empty, in one write.
// False when the store could not be read or written.
bool writeMissingDefaults();

// How long a copied password stays on the clipboard while ClearAfter is "1".
inline constexpr int kClearAfterSeconds = 10;
// kClearAfterSeconds while ClearAfter is "1", else 0 (the password stays).
int clearAfterSeconds();

} // namespace Settings
