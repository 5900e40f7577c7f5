#include "core/rules/RulesCount.h"

#include "core/rules/PasswordRules.h"

#include <gmpxx.h>

struct RulesCount::Number
{
    mpz_class value;
};

RulesCount::RulesCount(const PasswordRules &, int)
    : m_count(std::make_unique<Number>())
{
}

RulesCount::~RulesCount() = default;

bool RulesCount::isZero() const
{
    return m_count->value == 0;
}

QString RulesCount::decimal() const
{
    return QString::fromStdString(m_count->value.get_str());
}

double RulesCount::log2() const
{
    return 0;
}

double RulesCount::acceptance() const
{
    return 0;
}
