#pragma once

class FileDialogs;
class MessageBoxes;
class Shell;

// The desktop services the window uses: modal message boxes, file dialogs
// and the shell that opens addresses. The program passes the desktop's own;
// tests pass recording fakes that answer at once.
struct WindowServices
{
    MessageBoxes *messages = nullptr;
    FileDialogs *fileDialogs = nullptr;
    Shell *shell = nullptr;

    // The real Qt implementations, alive for the whole run.
    static WindowServices desktop();
};
