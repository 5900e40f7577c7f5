#include "commands/RunToolCommand.h"

#include "MainWindow.h"
#include "results/ResultCommands.h"
#include "settings/SettingsTable.h"

#include <QAction>
#include <QGroupBox>

#include <array>

namespace {

struct Dispatch
{
    QLatin1String code;
    ToolCommand command;
};

// The order in which the stored captions are compared.
// clang-format off
constexpr std::array<Dispatch, 12> kOrder{{
    {Settings::Name::TCS, ToolCommand::CopySelected},
    {Settings::Name::TCA, ToolCommand::CopyAll},
    {Settings::Name::TPO, ToolCommand::ProgramOptions},
    {Settings::Name::TGO, ToolCommand::GenerationOptions},
    {Settings::Name::TIO, ToolCommand::InterfaceOptions},
    {Settings::Name::TMO, ToolCommand::MaskOptions},
    {Settings::Name::TMI, ToolCommand::Minimize},
    {Settings::Name::TXI, ToolCommand::Exit},
    {Settings::Name::TCO, ToolCommand::Contents},
    {Settings::Name::TAO, ToolCommand::About},
    {Settings::Name::TAT, ToolCommand::AsText},
    {Settings::Name::TAC, ToolCommand::AsCsv},
}};
// clang-format on

} // namespace

ToolCommand toolCommandForCaption(const QString &caption)
{
    std::array<QString, kOrder.size()> stored;
    for (size_t i = 0; i < kOrder.size(); ++i)
        stored[i] = Settings::read(kOrder[i].code);
    for (size_t i = 0; i < kOrder.size(); ++i) {
        if (stored[i] == caption)
            return kOrder[i].command;
    }
    return ToolCommand::None;
}

void RunToolCommand(MainWindow &window, const QAction &tool)
{
    const Form &form = window.form();
    switch (toolCommandForCaption(tool.text())) {
    case ToolCommand::None:
        break;
    case ToolCommand::CopySelected:
        window.results().CopySelectedResult();
        break;
    case ToolCommand::CopyAll:
        window.results().CopyAllResults();
        break;
    case ToolCommand::ProgramOptions:
        window.openPanel(*form.oFrame);
        break;
    case ToolCommand::GenerationOptions:
        window.openPanel(*form.gFrame);
        break;
    case ToolCommand::InterfaceOptions:
        window.openPanel(*form.iFrame);
        break;
    case ToolCommand::MaskOptions:
        window.openPanel(*form.sFrame);
        break;
    case ToolCommand::Minimize:
        window.minimize();
        break;
    case ToolCommand::Exit:
        window.exitProgram();
        break;
    case ToolCommand::Contents:
        window.openHelp();
        break;
    case ToolCommand::About:
        window.openPanel(*form.aFrame);
        break;
    case ToolCommand::AsText:
        window.results().SaveResultsAsText();
        break;
    case ToolCommand::AsCsv:
        window.results().SaveResultsAsCsv();
        break;
    }
}
