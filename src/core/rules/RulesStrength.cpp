#include "core/rules/RulesStrength.h"

#include "core/rules/PasswordRules.h"
#include "core/rules/RulesCount.h"
#include "core/rules/RulesMaker.h"

RulesStrength measure(const PasswordRules &rules, int length)
{
    const RulesCount count(rules, length);
    RulesStrength strength;
    strength.count = count.decimal();
    strength.bits = count.isZero() ? 0 : count.log2();
    const Outcome drawable = RulesMaker::drawable(rules, length, count);
    strength.usable = drawable.ok();
    strength.problem = drawable.reason();
    strength.rating = MaskStrength::rate(strength.bits);
    return strength;
}
