#pragma once

#include "common/SafeFileWriter.h"
#include "generation/ResultList.h"

#include <QString>

// Makes a batch of passwords from a mask into the result list.
//
// Reads the classes, symbols and mode from the settings store, empties the
// list, then makes count attempts: an attempt whose password is empty or
// already listed is dropped (there is no retry). While it runs the column
// heading shows "<List02> [n/count]"; afterwards the List01 text (each in
// English where the language file lacks it). When LastGen is "1" the list is
// then written to lastgenerated.txt; the result says whether that write
// failed (ok when there was none).
SafeFileWriter::Result GeneratePasswords(ResultList &list, qint32 count, const QString &mask);
