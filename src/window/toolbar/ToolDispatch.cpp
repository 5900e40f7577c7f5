#include "window/toolbar/ToolDispatch.h"

#include <algorithm>

const ToolCode *toolRow(int index)
{
    const auto tool = std::find_if(kToolCodes.begin(), kToolCodes.end(),
                                   [index](const ToolCode &each) { return each.index == index; });
    return tool == kToolCodes.end() ? nullptr : &*tool;
}

ToolCommand toolCommand(int index)
{
    const ToolCode *tool = toolRow(index);
    return tool ? tool->command : ToolCommand::None;
}
