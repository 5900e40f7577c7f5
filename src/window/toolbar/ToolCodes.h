#pragma once

#include "core/settings/SettingsTable.h"

#include <array>

// The commands of the genbars tools.
enum class ToolCommand {
    None,
    CopySelected,
    CopyAll,
    ProgramOptions,
    GenerationOptions,
    InterfaceOptions,
    MaskOptions,
    Minimize,
    Exit,
    Contents,
    About,
    AsText,
    AsCsv,
};

// The captioned tools of genbars: the code their caption is stored under,
// their index and their command.
struct ToolCode
{
    QLatin1String code;
    int index; // the tool's 1-based index in genbars
    ToolCommand command;
};

// clang-format off
inline constexpr std::array<ToolCode, 13> kToolCodes{{
    {Settings::Name::TCS, 2, ToolCommand::CopySelected},
    {Settings::Name::TCA, 3, ToolCommand::CopyAll},
    {Settings::Name::TPO, 5, ToolCommand::ProgramOptions},
    {Settings::Name::TGO, 6, ToolCommand::GenerationOptions},
    {Settings::Name::TMO, 7, ToolCommand::MaskOptions},
    {Settings::Name::TMI, 8, ToolCommand::Minimize},
    {Settings::Name::TXI, 9, ToolCommand::Exit},
    {Settings::Name::THL, 10, ToolCommand::None}, // the Help sub-menu
    {Settings::Name::TCO, 11, ToolCommand::Contents},
    {Settings::Name::TAO, 12, ToolCommand::About},
    {Settings::Name::TIO, 13, ToolCommand::InterfaceOptions},
    {Settings::Name::TAT, 15, ToolCommand::AsText},
    {Settings::Name::TAC, 16, ToolCommand::AsCsv},
}};
// clang-format on
