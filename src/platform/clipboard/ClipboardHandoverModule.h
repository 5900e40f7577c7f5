#pragma once

#include <QString>

// ClipboardHandover in a module of its own, tessaro_clipboard_handover, for
// tessaro-cli: the one part of it that links Qt Gui, loaded by --copy alone,
// so that making passwords never loads the desktop's libraries.

// The module's entry point, looked up by this name: ClipboardHandover::serve;
// false with *error set when the text could not be handed over.
extern "C" bool tessaroServeClipboard(const QString &text, int clearAfterSeconds, QString *error);
