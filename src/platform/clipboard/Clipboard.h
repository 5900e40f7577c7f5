#pragma once

#include <QString>

class QMimeData;

// Everything the program puts on the clipboard goes through here.
namespace Clipboard {

// The clipboard content for a password: plain text, marked so that
// clipboard managers and history tools do not keep it.
QMimeData *passwordMimeData(const QString &text);

// Empties the clipboard, then puts the text on it (an empty text leaves an
// empty text). Failures are ignored. Needs a QGuiApplication.
void CopyToClipboard(const QString &text);

// Empties the clipboard.
void clear();

// True while the clipboard holds exactly this text and this process put it there.
bool holdsOwnText(const QString &text);

} // namespace Clipboard
