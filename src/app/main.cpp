#include "app/CommandLineRun.h"
#include "platform/session/SessionBus.h"
#include "window/MainWindow.h"
#include "window/Startup.h"
#include "window/WindowServices.h"

#include <QApplication>
#include <QStringList>

#include <sys/prctl.h>

int main(int argc, char *argv[])
{
    // Passwords live in this process: no core dump of it, and no other
    // process of the user may read its memory (as with ptrace).
    ::prctl(PR_SET_DUMPABLE, 0);

    // Any text after the program's name is a mask, its words joined by
    // single blanks. The command-line run starts no Qt application of its
    // own: the clipboard helper must be forked first.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words.append(QString::fromLocal8Bit(argv[i]));
    const QString mask = words.join(QLatin1Char(' '));
    if (!mask.isEmpty())
        return runCommandLine(mask);

    // The menus are part of the window's own tool band, never exported to a
    // desktop's global menu: looking for one costs a D-Bus round trip at
    // every start, or even starting a bus where none runs.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    SessionBus::neverAutolaunch();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setOrganizationName(QStringLiteral("Brasmoor"));
    QApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("com.brasmoor.Tessaro"));

    MainWindow window(WindowServices::desktop());
    Startup::run(window);
    window.show();
    return app.exec();
}
