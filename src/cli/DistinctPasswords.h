#pragma once

#include "core/strength/MaskStrength.h"

#include <QString>

#include <optional>

class PasswordBuilder;
class RulesMaker;

// How many different passwords a mask allows, as tessaro-cli tells it: the
// number that ends a stream early, the refusal of --distinct, and the note
// after a run that wrote fewer passwords than attempts were asked for. A
// counter makes every password new, so a mask with one allows any number.
class DistinctPasswords
{
public:
    explicit DistinctPasswords(const PasswordBuilder &builder);
    // The passwords of a site's rules, counted exactly (log2 of their number).
    DistinctPasswords(const RulesMaker &maker, double log2Count);

    // The most there can be, without a counter and when it fits in 64 bits:
    // a stream that has written that many can stop.
    std::optional<quint64> most() const;
    // Why `wanted` different passwords can't be promised; empty when they can.
    QString refusal(qint64 wanted) const;
    // What to say after `written` passwords came from `attempts` asked for;
    // empty when every attempt gave one.
    QString shortfall(qint64 attempts, qint64 written) const;

private:
    // The fewest there can be, as far as 64 bits go.
    quint64 least() const;

    MaskStrength::Strength m_strength;
    bool m_counter = false;
    QString m_allows; // "the mask allows" or "the rules allow"
};
