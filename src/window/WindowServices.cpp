#include "window/WindowServices.h"

#include "platform/dialogs/FileDialogs.h"
#include "platform/messages/MessageBoxes.h"
#include "platform/shell/Shell.h"

WindowServices WindowServices::desktop()
{
    static QtMessageBoxes messages;
    static QtFileDialogs fileDialogs;
    static QtShell shell;
    return {&messages, &fileDialogs, &shell};
}
