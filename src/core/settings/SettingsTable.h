#pragma once

#include "core/settings/SettingsStore.h"

#include <QHash>
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
inline constexpr QLatin1String Left{"Left"};
inline constexpr QLatin1String Top{"Top"};
inline constexpr QLatin1String TCA{"TCA"};
inline constexpr QLatin1String TCS{"TCS"};
inline constexpr QLatin1String TPO{"TPO"};
inline constexpr QLatin1String TGO{"TGO"};
inline constexpr QLatin1String TIO{"TIO"};
inline constexpr QLatin1String TMO{"TMO"};
inline constexpr QLatin1String TMI{"TMI"};
inline constexpr QLatin1String TXI{"TXI"};
inline constexpr QLatin1String THL{"THL"};
inline constexpr QLatin1String TCO{"TCO"};
inline constexpr QLatin1String TAO{"TAO"};
inline constexpr QLatin1String TAT{"TAT"};
inline constexpr QLatin1String TAC{"TAC"};
inline constexpr QLatin1String Language{"Language"};
inline constexpr QLatin1String uMask{"uMask"};
inline constexpr QLatin1String lMask{"lMask"};
inline constexpr QLatin1String nMask{"nMask"};
inline constexpr QLatin1String sMask{"sMask"};
inline constexpr QLatin1String iMask{"iMask"};
inline constexpr QLatin1String wMask{"wMask"};             // the word symbol
inline constexpr QLatin1String AlphaU{"AlphaU"};
inline constexpr QLatin1String AlphaL{"AlphaL"};
inline constexpr QLatin1String Numeric{"Numeric"};
inline constexpr QLatin1String Special{"Special"};
inline constexpr QLatin1String GenOpt{"GenOpt"};
inline constexpr QLatin1String WordCap{"WordCap"};         // words with a capital first letter
inline constexpr QLatin1String Words{"Words"};             // the word list file
inline constexpr QLatin1String NoLookAlike{"NoLookAlike"}; // classes without look-alike characters
inline constexpr QLatin1String String{"String"};
inline constexpr QLatin1String Generate{"Generate"};
inline constexpr QLatin1String SaveM{"SaveM"};
inline constexpr QLatin1String SaveN{"SaveN"};
inline constexpr QLatin1String OnTop{"OnTop"};
inline constexpr QLatin1String AUChk{"AUChk"};
inline constexpr QLatin1String Confirm{"Confirm"};
inline constexpr QLatin1String Style{"Style"};
inline constexpr QLatin1String LastGen{"LastGen"};
inline constexpr QLatin1String Sound{"Sound"};
inline constexpr QLatin1String Clear{"Clear"};
inline constexpr QLatin1String ClearAfter{"ClearAfter"}; // clear copied passwords after 10 s
} // namespace Name
// clang-format on

struct Definition
{
    QLatin1String name;
    // The text start-up writes when the value reads as empty; null for the
    // values start-up never writes (window position, last mask and count, and
    // the word symbol and list, whose empty value means "none" and "the shipped one").
    const char *startupDefault;
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
// Every setting of the table in one open of the store, by name.
QHash<QLatin1String, QString> readAll();
void write(QLatin1String name, const QString &text);
// Several values in one write of the store; values that already hold their
// text are not written again.
void writeAll(const QList<RegValue> &values);
// The start-up default of every setting that reads as empty, in one write.
void writeMissingDefaults();

} // namespace Settings
