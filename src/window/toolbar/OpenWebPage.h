#pragma once

#include <QString>

class Shell;

// Opens an address in the desktop's default browser: a web address
// (https://...) or the path of a local file such as the help page. False
// when no browser could be started; whether the page then opened, the
// program does not learn.
bool OpenWebPage(Shell &shell, const QString &address);
