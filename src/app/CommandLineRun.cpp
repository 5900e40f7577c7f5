#include "CommandLineRun.h"

#include "clipboard/ClipboardHandover.h"
#include "generation/MemoryResultList.h"
#include "generation/PasswordGenerator.h"

#include <cstdio>

namespace {

void printError(const QString &message)
{
    std::fprintf(stderr, "tessaro: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int runCommandLine(const QString &mask)
{
    MemoryResultList list;
    if (const QString problem = GeneratePasswords(list, 1, mask); !problem.isEmpty()) {
        printError(problem); // the clipboard is left alone
        return 1;
    }
    const QString password = list.GetItemCount() > 0 ? list.ItemText(0, 0) : QString();

    const ClipboardHandover::Result served = ClipboardHandover::serve(password);
    if (!served.ok) {
        printError(served.error);
        return 1;
    }
    if (password.isEmpty()) {
        printError(QStringLiteral("the mask gave an empty password; the clipboard now holds empty text"));
        return 1;
    }
    return 0;
}
