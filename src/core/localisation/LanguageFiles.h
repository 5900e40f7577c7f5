#pragma once

#include <QString>
#include <QStringList>

// The list of interface languages: one name per language file (*.lng) in
// the language folder (ProgramFolder::languageFolder()).
namespace Localisation {

// The language names for the language box, one per file whose name ends in
// ".lng" in any mix of case (SPANISH.LNG counts). Each file name is trimmed
// and put into proper case (properCase below); without keepExtension its
// last four characters are then cut, so "brazilian portuguese.lng" gives
// "Brazilian Portuguese" and a file named just ".lng" gives an empty name.
// With keepExtension every name ends in ".lng".
//
// Directory enumeration comes back in no particular order, so the files are
// sorted by name without regard to case: the list is the same on every run
// and every file system. A missing folder or no matching file gives an
// empty list.
QStringList languageNames(bool keepExtension);

// The first character and every character that follows a blank in upper
// case, every other character in lower case: "brazilian PORTUGUESE" gives
// "Brazilian Portuguese".
QString properCase(const QString &text);

} // namespace Localisation
