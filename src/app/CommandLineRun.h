#pragma once

#include <QString>

// `tessaro MASK...`: one password from the mask onto the clipboard, with the
// settings as they stand (nothing is written to the store), then the end.
// Returns the process exit status. Must run before any QGuiApplication
// exists (see ClipboardHandover).
int runCommandLine(const QString &mask);
