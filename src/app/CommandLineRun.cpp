#include "CommandLineRun.h"

#include "clipboard/ClipboardHandover.h"
#include "common/ProgramFolder.h"
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
    const SafeFileWriter::Result lastGenerated = GeneratePasswords(list, 1, mask);
    const QString password = list.GetItemCount() > 0 ? list.ItemText(0, 0) : QString();

    const ClipboardHandover::Result served = ClipboardHandover::serve(password);
    if (!served.ok) {
        printError(served.error);
        return 1;
    }
    if (!lastGenerated.ok) {
        printError(QStringLiteral("cannot write %1: %2")
                       .arg(ProgramFolder::path(ProgramFolder::File::LastGenerated), lastGenerated.error));
        return 1;
    }
    return 0;
}
