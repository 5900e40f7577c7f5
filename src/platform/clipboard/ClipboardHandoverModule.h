#pragma once

#include "core/common/Outcome.h"

#include <QString>

// ClipboardHandover in a module of its own, tessaro_clipboard_handover, for
// tessaro-cli: the one part of it that links Qt Gui, loaded by --copy alone,
// so that making passwords never loads the desktop's libraries.

// The module's entry point, looked up by this name: ClipboardHandover::serve,
// its outcome in *served (a C entry point does not return a class).
extern "C" void tessaroServeClipboard(const QString &text, int clearAfterSeconds, Outcome *served);
