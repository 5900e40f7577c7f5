#pragma once

#include "core/strength/MaskStrength.h"

#include <QString>

struct PasswordRules;

// How hard passwords drawn uniformly from the rules are to guess: every
// password the rules allow at that length is equally likely, so the bits are
// log2 of their number, counted exactly.
struct RulesStrength
{
    QString count;       // the number of passwords, in decimal digits ("0" when none)
    double bits = 0;     // log2 of count
    bool usable = false; // passwords of this length can be drawn (RulesMaker::usable)
    QString problem;     // why not, when !usable
    MaskStrength::Rating rating = MaskStrength::Rating::Poor;
};

RulesStrength measure(const PasswordRules &rules, int length);
