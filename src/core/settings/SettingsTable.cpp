#include "core/settings/SettingsTable.h"

#include "core/settings/SettingsStore.h"

#include <array>

namespace Settings {

namespace {

// clang-format off
constexpr std::array<Definition, 43> kTable{{
    {Name::Left,     nullptr},
    {Name::Top,      nullptr},
    {Name::TCA,      "Copy All"},
    {Name::TCS,      "Copy Selected"},
    {Name::TPO,      "Program Options"},
    {Name::TGO,      "Generation Options"},
    {Name::TIO,      "Interface Options"},
    {Name::TMO,      "Mask Options"},
    {Name::TMI,      "Minimize"},
    {Name::TXI,      "Exit"},
    {Name::THL,      "Help"},
    {Name::TCO,      "Contents"},
    {Name::TAO,      "About"},
    {Name::TAT,      "As Text"}, // capitalised, unlike the tool's first caption "as Text"
    {Name::TAC,      "As CSV"},
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

} // namespace

std::span<const Definition> table()
{
    return kTable;
}

QString startupDefault(QLatin1String name)
{
    for (const Definition &definition : kTable) {
        if (definition.name == name)
            return definition.startupDefault ? QString::fromLatin1(definition.startupDefault) : QString();
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
        if (definition.startupDefault)
            defaults.append({definition.name, QString::fromLatin1(definition.startupDefault)});
    }
    return SetRegValues(RegistryRoot::CurrentUser, Key, defaults, RegWrite::WhereEmpty);
}

int clearAfterSeconds()
{
    return read(Name::ClearAfter) == QLatin1String("1") ? kClearAfterSeconds : 0;
}

} // namespace Settings
