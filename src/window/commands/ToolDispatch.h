#pragma once

#include "window/toolbar/ToolCodes.h"

#include <QString>

// The row of the tool with the given 1-based index, or nullptr for the
// menus File, Edit and Save and for an unknown index.
const ToolCode *toolRow(int index);

// The command of the tool with the given 1-based index, when the caption it
// shows is exactly the caption stored under its code (read afresh on every
// call); None otherwise, and for the menus and Help, which have no command.
// A tool runs its own command whatever the other tools are called: two
// tools with one caption, or empty captions, cannot swap commands.
ToolCommand toolCommand(int index, const QString &caption);
