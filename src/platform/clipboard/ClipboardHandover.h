#pragma once

#include "core/common/Outcome.h"

#include <QString>

// Puts a text on the desktop's clipboard for a process that ends right
// after: the command-line run and tessaro-cli --copy.
//
// On X11 a program's clipboard content dies with the program unless a
// clipboard manager copies it, so a detached helper process keeps serving
// the text until another program takes the clipboard (as xclip does), or
// until clearAfterSeconds have passed, when it empties the clipboard if it
// still holds the text. On Wayland without X11 the work is handed to
// wl-copy. The text never travels through argv or the environment.
//
// Must be called before any QGuiApplication exists: the helper is forked
// while the process has a single thread.
namespace ClipboardHandover {

// On failure the reason is one line for stderr.
Outcome serve(const QString &text, int clearAfterSeconds = 0);

} // namespace ClipboardHandover
