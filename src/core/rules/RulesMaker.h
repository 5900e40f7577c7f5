#pragma once

#include "core/common/Outcome.h"
#include "core/generation/PasswordMaker.h"
#include "core/rules/PasswordRules.h"

class RulesCount;

#include <optional>
#include <string>
#include <vector>

// Draws passwords of one length uniformly from exactly those the rules allow:
// every character uniformly from the allowed set, and the whole string drawn
// again until it meets every rule. Each allowed string is as likely as any
// other, so each kept one is too.
class RulesMaker : public PasswordMaker
{
public:
    RulesMaker(const PasswordRules &rules, int length);

    // Why no password can be drawn: the length is outside the rules, no
    // password of it meets them, or so few do that drawing would take too
    // long (less than kLeastAcceptance of the strings drawn would be kept).
    Outcome usable() const { return m_usable; }

    // How many passwords the rules allow at this length, when that fits in
    // 64 bits: a batch that has them all ends there.
    std::optional<quint64> distinctPasswords() const { return m_distinct; }

    qsizetype maxLength() const override { return m_length; }
    qsizetype build(char16_t *out, RandomSource &random, qint64 &counter) const override;
    using PasswordMaker::build;

    static constexpr double kLeastAcceptance = 1e-6;
    // The same verdict from a count already made.
    static Outcome drawable(const PasswordRules &rules, int length, const RulesCount &count);

private:
    std::u16string m_allowed;
    int m_maxRun = 0; // 0: no limit
    int m_length = 0;
    Outcome m_usable;
    quint32 m_threshold = 0;       // RandomSource::smallThreshold of the allowed set
    std::vector<quint32> m_groups; // each allowed character's required groups, as bits
    quint32 m_allGroups = 0;
    std::optional<quint64> m_distinct;
};
