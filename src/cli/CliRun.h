#pragma once

// The whole of one tessaro-cli run: reads the command line, then prints,
// writes, measures or copies passwords. Returns the exit status. Starts no
// Qt application object (the clipboard helper of --copy must be forked
// before any exists).
int runCli(int argc, char *argv[]);
