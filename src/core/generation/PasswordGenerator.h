#pragma once

#include "core/common/AvailableMemory.h"
#include "core/common/SafeFileWriter.h"
#include "core/generation/ResultList.h"

#include <QString>

// Makes a batch of passwords from a mask into the result list.
//
// Once the list holds every distinct password the mask can give, the
// attempts left could only be dropped, so the batch ends there.
//
// Reads the classes, symbols and mode from the settings store, empties the
// list, then makes count attempts: an attempt whose password is empty or
// already listed is dropped (there is no retry). While it runs the column
// heading shows "<List02> [n/count]"; afterwards the List01 text (each in
// English where the language file lacks it). When LastGen is "1" the list is
// then written to lastgenerated.txt.
struct GenerationOutcome
{
    // Not empty when the mask has the word symbol and its word list can't be
    // used (WordList::Read::message): then nothing is made and the list is
    // left as it was.
    QString wordListProblem;
    // Set when the batch could not have the memory its rows may take: then
    // nothing is made and the list is left as it was.
    std::optional<MemoryShortfall> memoryShortfall;
    // The write of lastgenerated.txt; ok when there was none.
    Outcome lastGenerated;
};
GenerationOutcome GeneratePasswords(ResultList &list, qint32 count, const QString &mask);
