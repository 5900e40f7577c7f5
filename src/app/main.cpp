#include "CommandLineRun.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Any text after the program's name is a mask, its words joined by
    // single blanks. The command-line run starts no Qt application of its
    // own: the clipboard helper must be forked first.
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words.append(QString::fromLocal8Bit(argv[i]));
    const QString mask = words.join(QLatin1Char(' '));
    if (!mask.isEmpty())
        return runCommandLine(mask);

    QApplication app(argc, argv);
    std::fprintf(stderr, "tessaro: the window is not built yet\n");
    return 0;
}
