#pragma once

#include "generation/ResultList.h"

#include <QString>

// Makes a batch of passwords from a mask into the result list.
//
// Reads the classes, symbols and mode from the settings store, empties the
// list, then makes count attempts: an attempt whose password is empty or
// already listed is dropped (there is no retry). While it runs the column
// heading shows "<List02> [n/count]"; afterwards the List01 text. When
// LastGen is "1" the list is then written to lastgenerated.txt.
//
// Returns the empty text, or, when the mask has the word symbol and its word
// list can't be used, what is wrong (WordList::Read::message); then nothing
// is made and the list is left as it was.
QString GeneratePasswords(ResultList &list, qint32 count, const QString &mask);
