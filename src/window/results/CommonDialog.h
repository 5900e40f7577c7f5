#pragma once

#include "platform/dialogs/FileDialogs.h"

#include <QString>

// The window's one way to ask for a file: the saves and the word list both
// ask here. The dialog opens at the size it last had (DialogSize) and keeps
// the size it closes at, whatever the answer.
class CommonDialog
{
public:
    explicit CommonDialog(FileDialogs &dialogs) : m_dialogs(dialogs) {}

    // The chosen file's full path, or the empty text when cancelled.
    QString chooseFile(FileDialogs::Request request);

private:
    FileDialogs &m_dialogs;
};
