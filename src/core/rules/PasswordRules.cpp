#include "core/rules/PasswordRules.h"

PasswordRules::Read PasswordRules::read(QStringView)
{
    return {PasswordRules{}, Outcome::failure(QStringLiteral("not yet"))};
}

int PasswordRules::shortest() const
{
    return qMax(1, minLength.value_or(1));
}

int PasswordRules::longest() const
{
    return qMin(maxLength.value_or(kLongestWithoutMax), kLongestEver);
}

int PasswordRules::defaultLength() const
{
    return qMax(qMin(longest(), 20), shortest());
}

Outcome PasswordRules::checkLength(int) const
{
    return {};
}

bool PasswordRules::allows(QStringView) const
{
    return false;
}
