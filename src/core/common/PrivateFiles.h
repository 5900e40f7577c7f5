#pragma once

#include <QString>

// Files and folders the program creates for the user (settings, the mask
// list and their folders) are the user's alone, whatever the umask: another
// local user who could change the character classes could weaken every
// password made after. What exists already keeps its mode.
namespace PrivateFiles {

// Creates the folder and each missing parent with mode 0700. True when the
// folder exists afterwards.
bool makeFolder(const QString &path);

// Creates an empty file with mode 0600 (and its folder, as makeFolder does)
// when nothing exists by that name.
void createFile(const QString &path);

} // namespace PrivateFiles
