#include "window/commands/ToolDispatch.h"

#include <algorithm>

const ToolCode *toolRow(int index)
{
    const auto tool = std::find_if(kToolCodes.begin(), kToolCodes.end(),
                                   [index](const ToolCode &each) { return each.index == index; });
    return tool == kToolCodes.end() ? nullptr : &*tool;
}

ToolCommand toolCommand(int index, const QString &caption)
{
    const ToolCode *tool = toolRow(index);
    if (!tool || Settings::read(tool->code) != caption)
        return ToolCommand::None;
    return tool->command;
}
