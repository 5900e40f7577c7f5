#pragma once

#include "window/toolbar/ToolCodes.h"

// The row of the tool with the given 1-based index, or nullptr for the
// menus File, Edit and Save and for an unknown index.
const ToolCode *toolRow(int index);

// The command of the tool with the given 1-based index; None for the menus
// and Help, which have no command. A tool runs its own command whatever
// the captions shown or stored: one caption for two tools, empty captions
// or a store that cannot be written cannot swap or lose a command.
ToolCommand toolCommand(int index);
