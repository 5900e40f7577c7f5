#pragma once

#include "core/common/Outcome.h"
#include "core/generation/ResultList.h"

#include <QString>

struct BatchControl;
struct PasswordRules;

// Makes a batch of passwords from a mask into the result list.
//
// Reads the classes, symbols and mode from the settings store, empties the
// list, then runs the batch engine (streamPasswords) for count attempts: an
// attempt whose password is empty or already listed is dropped (there is no
// retry). Once the list holds every distinct password the mask can give,
// the attempts left could only be dropped, so the batch ends there. While it
// runs the column heading shows "<List02> [n/count]"; afterwards the List01
// text (each in English where the language file lacks it). When LastGen is
// "1" the list is then written to lastgenerated.txt.
struct GenerationOutcome
{
    // Why the mask's word list can't be used: then nothing is made and the
    // list is left as it was.
    Outcome wordList;
    // Why no password of the length asked for can be drawn from the rules
    // (GenerateFromRules): then nothing is made either.
    Outcome rules;
    // Why the batch could not have the memory its rows may take (the
    // needed and available amounts): then nothing is made either.
    Outcome memory;
    // The write of lastgenerated.txt; ok when there was none.
    Outcome lastGenerated;
    // The batch was stopped through its control: the list holds what was
    // made so far and lastgenerated.txt was left alone.
    bool stopped = false;
};
// control: a batch run on another thread, watched and stopped from the window's.
GenerationOutcome GeneratePasswords(ResultList &list, qint32 count, const QString &mask,
                                    BatchControl *control = nullptr);

// The same from a website's rules: count passwords of that length, each
// drawn uniformly from those the rules allow (RulesMaker), with the same
// duplicate rule, heading and lastgenerated.txt. rules names why nothing was
// made when no password of that length can be drawn.
GenerationOutcome GenerateFromRules(ResultList &list, qint32 count, const PasswordRules &rules, int length,
                                    BatchControl *control = nullptr);

// The heading while a batch runs ("<List02> [done/total]") and after it (List01).
ColumnHeading progressHeading(qint64 done, qint64 total);
ColumnHeading finishedHeading();
