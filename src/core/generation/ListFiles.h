#pragma once

#include "core/common/SafeFileWriter.h"
#include "core/generation/ItemList.h"

#include <QString>
#include <QStringList>

#include <optional>

// The plain list-file format: one item per line, each line ended by CR LF,
// no header, written as UTF-8. Reading splits fields at commas too, and a
// field in double quotes runs to the closing quote (a doubled quote inside
// stands for one quote), so a list written with quoted items reads back
// item for item.

// Writes every item of the list to the file, replacing it atomically.
Outcome SaveListToFile(const QString &path, const ItemList &list,
                       SafeFileWriter::Access access = SafeFileWriter::Access::Default);

// When the file exists and can be read, empties the list and appends one
// item per field. A file that is missing or unreadable leaves the list as
// it was.
void LoadFileToList(const QString &path, ItemList &list);

// The fields of the file, or nothing when it is missing or unreadable: what
// LoadFileToList puts into a list, for callers that fill a list in one go.
std::optional<QStringList> ReadListFile(const QString &path);

// True for an ordinary file: not a folder and not hidden (on this platform
// a name beginning with a full stop).
bool FileExists(const QString &path);

// The fields of list-file text, in order (exposed for the tests and the
// fuzzer).
QStringList parseListFileText(QStringView text);
