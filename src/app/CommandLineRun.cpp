#include "app/CommandLineRun.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/MemoryResultList.h"
#include "core/generation/PasswordGenerator.h"
#include "core/settings/SettingsTable.h"
#include "platform/clipboard/ClipboardHandover.h"

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
    const GenerationOutcome outcome = GeneratePasswords(list, 1, mask);
    // Either failure leaves the clipboard alone.
    if (!outcome.wordList.ok() || !outcome.memory.ok()) {
        printError(outcome.memory.ok() ? outcome.wordList.reason()
                                       : QStringLiteral("not enough memory: the batch ") + outcome.memory.reason());
        return 1;
    }
    const Outcome &lastGenerated = outcome.lastGenerated;
    const QString password = list.GetItemCount() > 0 ? list.ItemText(0, 0) : QString();

    // The window's "clear after 10 seconds" holds here too: the helper that
    // serves the password clears it, if the clipboard still holds it.
    const Outcome served = ClipboardHandover::serve(password, Settings::clearAfterSeconds());
    if (!served.ok()) {
        printError(served.reason());
        return 1;
    }
    if (!lastGenerated.ok()) {
        printError(QStringLiteral("cannot write %1: %2")
                       .arg(ProgramFolder::path(ProgramFolder::File::LastGenerated), lastGenerated.reason()));
        return 1;
    }
    return 0;
}
