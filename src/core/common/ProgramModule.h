#pragma once

#include <QString>

// The program's modules: parts that bring heavy libraries (audio, the
// desktop's clipboard) and are loaded on first use, so that starting a
// program never pays for them. A module lies beside the executable in a
// build tree or a portable copy, and in <libdir>/tessaro/modules when
// installed (ProgramFolder::moduleFolder), and nowhere else.
namespace ProgramModule {

struct Entry
{
    QFunctionPointer function = nullptr; // null when the module or its entry point is missing
    QString error;                       // why, in one line, when function is null
};

// Loads the module of that name (without its suffix) and looks up the entry
// point; the module stays loaded for the rest of the run. A module that
// others could have changed, or a file that is not a whole module of this
// program, counts as missing, and the error says why.
Entry resolve(const QString &module, const char *entryPoint);

} // namespace ProgramModule
