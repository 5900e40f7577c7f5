#include "window/commands/RunToolCommand.h"

#include "core/settings/SettingsTable.h"
#include "window/form/FittedCaption.h"
#include "window/MainWindow.h"
#include "window/results/ResultCommands.h"
#include "window/toolbar/ToolBand.h"

#include <QAction>
#include <QGroupBox>

#include <algorithm>

ToolCommand toolCommand(int index, const QString &caption)
{
    const auto tool = std::find_if(kToolCodes.begin(), kToolCodes.end(),
                                   [index](const ToolCode &each) { return each.index == index; });
    if (tool == kToolCodes.end() || Settings::read(tool->code) != caption)
        return ToolCommand::None;
    return tool->command;
}

void RunToolCommand(MainWindow &window, const QAction &tool)
{
    const Form &form = window.form();
    switch (toolCommand(window.toolBand().indexOf(tool), FittedCaption::of(tool))) {
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
