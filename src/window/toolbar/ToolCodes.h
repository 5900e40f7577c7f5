#pragma once

#include "core/settings/SettingsTable.h"
#include "window/form/Form.h"
#include "window/form/Icons.h"

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
    SiteRules,
};

// The menus of genbars, in the tool band's order. File, Edit and Save stand
// on the bar; Help is a sub-menu of File and also a captioned tool.
enum class ToolMenu { File, Edit, Save, Help };

// One captioned tool of genbars. The rows below are the one place a tool
// is described: the tool band builds its entries from them, applying a
// language sets and stores their captions, and a click is dispatched by them.
struct ToolCode
{
    QLatin1String code;      // the setting its whole caption is stored under
    int index;               // the tool's 1-based index in genbars
    ToolMenu menu;           // the menu that holds it
    int place;               // its 1-based place among that menu's tools
    bool startsGroup;        // a separator goes before it in its menu
    const char *languageKey; // its caption's key in the language file's Menu section (English text there)
    const char *toolTipKey;  // its tooltip's key in the Tip section; null for none
    QIcon (*icon)();         // null for none
    ToolCommand command;
    QGroupBox *Form::*panel; // the panel it opens, which shows the same caption; null for none
};

// The rows in the order of their index.
// clang-format off
inline constexpr std::array<ToolCode, 14> kToolCodes{{
    {Settings::Name::TCS,  2, ToolMenu::Edit, 1, false, "Menu09", "Tip06", Icons::copy,    ToolCommand::CopySelected,      nullptr},
    {Settings::Name::TCA,  3, ToolMenu::Edit, 2, false, "Menu10", "Tip07", Icons::copy,    ToolCommand::CopyAll,           nullptr},
    {Settings::Name::TPO,  5, ToolMenu::File, 1, false, "Menu01", nullptr, Icons::settings, ToolCommand::ProgramOptions,    &Form::oFrame},
    {Settings::Name::TGO,  6, ToolMenu::File, 3, false, "Menu02", nullptr, nullptr,        ToolCommand::GenerationOptions, &Form::gFrame},
    {Settings::Name::TMO,  7, ToolMenu::File, 4, false, "Menu03", nullptr, nullptr,        ToolCommand::MaskOptions,       &Form::sFrame},
    {Settings::Name::TMI,  8, ToolMenu::File, 6, true,  "Menu04", nullptr, nullptr,        ToolCommand::Minimize,          nullptr},
    {Settings::Name::TXI,  9, ToolMenu::File, 7, false, "Menu05", nullptr, Icons::exit,    ToolCommand::Exit,              nullptr},
    {Settings::Name::THL, 10, ToolMenu::File, 8, true,  "Menu06", nullptr, nullptr,        ToolCommand::None,              nullptr}, // the Help sub-menu
    {Settings::Name::TCO, 11, ToolMenu::Help, 1, false, "Menu07", nullptr, Icons::help,    ToolCommand::Contents,          nullptr},
    {Settings::Name::TAO, 12, ToolMenu::Help, 2, false, "Menu08", nullptr, Icons::about,   ToolCommand::About,             &Form::aFrame},
    {Settings::Name::TIO, 13, ToolMenu::File, 2, false, "Menu11", nullptr, nullptr,        ToolCommand::InterfaceOptions,  &Form::iFrame},
    {Settings::Name::TAT, 15, ToolMenu::Save, 1, false, "Menu12", nullptr, Icons::save,    ToolCommand::AsText,            nullptr},
    {Settings::Name::TAC, 16, ToolMenu::Save, 2, false, "Menu13", nullptr, Icons::save,    ToolCommand::AsCsv,             nullptr},
    {Settings::Name::TSR, 17, ToolMenu::File, 5, false, "Menu14", nullptr, nullptr,        ToolCommand::SiteRules,         &Form::rFrame},
}};
// clang-format on
