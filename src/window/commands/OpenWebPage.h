#pragma once

#include <QString>

class Shell;

// Opens an address in the desktop's default browser: a web address
// (https://...) or the path of a local file such as the help page. Reports
// nothing; the program does not learn whether the page opened.
void OpenWebPage(Shell &shell, const QString &address);
