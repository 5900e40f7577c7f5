#include "cli/CliRun.h"
#include "core/localisation/LanguageTexts.h"

#include <sys/prctl.h>

int main(int argc, char *argv[])
{
    // Passwords live in this process: no core dump of it, and no other
    // process of the user may read its memory (as with ptrace).
    ::prctl(PR_SET_DUMPABLE, 0);
    // Its messages are English, whatever language the window uses.
    Localisation::useEnglishOnly();
    return runCli(argc, argv);
}
