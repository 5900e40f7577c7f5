#pragma once

#include <QString>

class MainWindow;
class QAction;

// The commands of the genbars tools.
enum class ToolCommand {
    None,
    CopySelected,
    CopyAll,
    ProgramOptions,
    GenerationOptions,
    InterfaceOptions,
    MaskOptions,
    Minimize,
    Exit,
    Contents,
    About,
    AsText,
    AsCsv,
};

// The command whose stored caption equals the tool caption, compared
// exactly and in a fixed order (Copy Selected first, As CSV last), so that
// the first of two equal captions wins. The stored captions are read afresh
// on every call; a caption that matches none gives None.
ToolCommand toolCommandForCaption(const QString &caption);

// Runs the command of the clicked tool, found by its caption. A tool whose
// caption matches no stored caption does nothing.
void RunToolCommand(MainWindow &window, const QAction &tool);
