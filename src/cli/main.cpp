#include "cli/CliRun.h"

int main(int argc, char *argv[])
{
    return runCli(argc, argv);
}
