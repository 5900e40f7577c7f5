#include "commands/OpenWebPage.h"

#include "shell/Shell.h"

#include <QDir>
#include <QUrl>

void OpenWebPage(Shell &shell, const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return;
    // A path (absolute, or with the platform's separators) is a local file;
    // anything else is taken as a web address.
    const bool isPath = QDir::isAbsolutePath(text) && !text.contains(QLatin1String("://"));
    shell.openUrl(isPath ? QUrl::fromLocalFile(QDir::fromNativeSeparators(text)) : QUrl::fromUserInput(text));
}
