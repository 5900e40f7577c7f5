#include "core/rules/RulesMaker.h"

RulesMaker::RulesMaker(const PasswordRules &rules, int length)
    : m_rules(rules)
    , m_length(length)
{
}

qsizetype RulesMaker::build(char16_t *, RandomSource &, qint64 &) const
{
    return 0;
}
