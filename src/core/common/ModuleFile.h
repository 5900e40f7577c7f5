#pragma once

#include <QString>

// What a module file must be before the dynamic loader may map it: the
// loader trusts the file's headers, and a file shorter than they say (a copy
// cut short, a full disk) kills the process with SIGBUS on first use.
namespace ModuleFile {

// Empty when no one but the user and root can change the file at path (a
// path without links) or a folder on its way; a sticky folder such as /tmp
// counts as safe, since no one else may replace what it holds. Otherwise
// why not, in a few words.
QString ownershipProblem(const QString &path);

// Empty when the file is a whole shared object for this machine that
// defines entryPoint, as the program's modules do; otherwise why not.
QString contentProblem(const QString &path, const char *entryPoint);

} // namespace ModuleFile
