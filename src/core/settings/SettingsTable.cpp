#include "core/settings/SettingsTable.h"

#include "core/localisation/LanguageTexts.h"
#include "core/settings/SettingsStore.h"

#include <array>

namespace Settings {

namespace {

// clang-format off
constexpr std::array<Definition, 46> kTable{{
    {Name::Left,     nullptr},
    {Name::Top,      nullptr},
    {Name::TCA,      nullptr, "Menu10"},
    {Name::TCS,      nullptr, "Menu09"},
    {Name::TPO,      nullptr, "Menu01"},
    {Name::TGO,      nullptr, "Menu02"},
    {Name::TIO,      nullptr, "Menu11"},
    {Name::TMO,      nullptr, "Menu03"},
    {Name::TMI,      nullptr, "Menu04"},
    {Name::TXI,      nullptr, "Menu05"},
    {Name::THL,      nullptr, "Menu06"},
    {Name::TCO,      nullptr, "Menu07"},
    {Name::TAO,      nullptr, "Menu08"},
    {Name::TAT,      nullptr, "Menu12"},
    {Name::TAC,      nullptr, "Menu13"},
    {Name::TSR,      nullptr, "Menu14"},
    {Name::Language, "English"},
    {Name::uMask,    "X"},
    {Name::lMask,    "x"},
    {Name::nMask,    "#"},
    {Name::sMask,    "@"},
    {Name::iMask,    "i"},
    {Name::wMask,    nullptr},
    {Name::AlphaU,   "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {Name::AlphaL,   "abcdefghijklmnopqrstuvwxyz"},
    {Name::Numeric,  "0123456789"},
    {Name::Special,  "`~!@#$%^&*()_-+={[]}\\|;:'<>,>/?"},
    {Name::GenOpt,   "0"},
    {Name::WordCap,  "0"},
    {Name::Words,    nullptr},
    {Name::NoLookAlike, "0"},
    {Name::String,   nullptr},
    {Name::Generate, nullptr},
    {Name::Rules,    nullptr},
    {Name::RulesLen, nullptr},
    {Name::SaveM,    "1"},
    {Name::SaveN,    "1"},
    {Name::OnTop,    "0"},
    {Name::AUChk,    "0"},
    {Name::Confirm,  "0"},
    {Name::Style,    "1"},
    {Name::LastGen,  "0"},
    {Name::Sound,    "1"},
    {Name::Clear,    "1"},
    {Name::ClearAfter, "0"},
    {Name::DialogSize, nullptr},
}};
// clang-format on

QString defaultOf(const Definition &definition)
{
    if (definition.captionKey)
        return Localisation::englishText(QLatin1StringView(definition.captionKey));
    return definition.startupDefault ? QString::fromLatin1(definition.startupDefault) : QString();
}

} // namespace

std::span<const Definition> table()
{
    return kTable;
}

QString startupDefault(QLatin1String name)
{
    for (const Definition &definition : kTable) {
        if (definition.name == name)
            return defaultOf(definition);
    }
    return {};
}

QString defaultSpecialClass()
{
    return startupDefault(Name::Special);
}

QString read(QLatin1String name)
{
    return GetRegValue(RegistryRoot::CurrentUser, Key, name, QString());
}

QString readOrDefault(QLatin1String name)
{
    const QString value = read(name);
    return value.isEmpty() ? startupDefault(name) : value;
}

void write(QLatin1String name, const QString &text)
{
    SetRegValue(RegistryRoot::CurrentUser, Key, name, text);
}

void writeAll(const QList<RegValue> &values)
{
    SetRegValues(RegistryRoot::CurrentUser, Key, values, RegWrite::Changed);
}

bool writeMissingDefaults()
{
    QList<RegValue> defaults;
    for (const Definition &definition : kTable) {
        if (const QString text = defaultOf(definition); !text.isNull())
            defaults.append({definition.name, text});
    }
    return SetRegValues(RegistryRoot::CurrentUser, Key, defaults, RegWrite::WhereEmpty);
}

int clearAfterSeconds()
{
    return read(Name::ClearAfter) == QLatin1String("1") ? kClearAfterSeconds : 0;
}

} // namespace Settings
