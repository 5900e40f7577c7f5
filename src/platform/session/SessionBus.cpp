#include "platform/session/SessionBus.h"

#include <QByteArray>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

namespace SessionBus {

namespace {

// libdbus looks for the bus in the environment, then at $XDG_RUNTIME_DIR/bus.
bool exists()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat info;
    return !runtime.isEmpty() && ::stat((runtime + "/bus").constData(), &info) == 0 && S_ISSOCK(info.st_mode) &&
           info.st_uid == ::getuid();
}

} // namespace

void neverAutolaunch()
{
    // An address of a kind libdbus does not know makes it give up at once.
    if (!exists())
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace SessionBus
