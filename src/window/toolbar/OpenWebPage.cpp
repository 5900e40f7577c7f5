#include "window/toolbar/OpenWebPage.h"

#include "platform/shell/Shell.h"

#include <QDir>
#include <QUrl>

bool OpenWebPage(Shell &shell, const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return false;
    // A path (absolute, or with the platform's separators) is a local file;
    // anything else is taken as a web address.
    const bool isPath = QDir::isAbsolutePath(text) && !text.contains(QLatin1String("://"));
    return shell.openUrl(isPath ? QUrl::fromLocalFile(QDir::fromNativeSeparators(text)) : QUrl::fromUserInput(text));
}
