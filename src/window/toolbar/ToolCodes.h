#pragma once

#include "settings/SettingsTable.h"

#include <array>

// The command tools of genbars by the code their caption is stored under.
struct ToolCode
{
    QLatin1String code;
    int index; // the tool's 1-based index in genbars
};

// clang-format off
inline constexpr std::array<ToolCode, 13> kToolCodes{{
    {Settings::Name::TCS, 2},
    {Settings::Name::TCA, 3},
    {Settings::Name::TPO, 5},
    {Settings::Name::TGO, 6},
    {Settings::Name::TMO, 7},
    {Settings::Name::TMI, 8},
    {Settings::Name::TXI, 9},
    {Settings::Name::THL, 10},
    {Settings::Name::TCO, 11},
    {Settings::Name::TAO, 12},
    {Settings::Name::TIO, 13},
    {Settings::Name::TAT, 15},
    {Settings::Name::TAC, 16},
}};
// clang-format on
