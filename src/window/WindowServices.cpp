#include "WindowServices.h"

#include "dialogs/FileDialogs.h"
#include "messages/MessageBoxes.h"
#include "shell/Shell.h"

WindowServices WindowServices::desktop()
{
    static QtMessageBoxes messages;
    static QtFileDialogs fileDialogs;
    static QtShell shell;
    return {&messages, &fileDialogs, &shell};
}
