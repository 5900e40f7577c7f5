#include "core/rules/RulesMaker.h"

#include "core/rules/RulesCount.h"

using namespace Qt::StringLiterals;

Outcome RulesMaker::drawable(const PasswordRules &rules, int length, const RulesCount &count)
{
    if (const Outcome fits = rules.checkLength(length); !fits)
        return fits;
    if (count.isZero())
        return Outcome::failure(u"No password of %1 characters meets every rule."_s.arg(length));
    if (count.acceptance() < kLeastAcceptance)
        return Outcome::failure(
            u"So few strings of %1 characters meet these rules (about one in %2) that drawing them would take too "
            "long; choose another length or looser rules."_s.arg(length)
                .arg(1 / count.acceptance(), 0, 'g', 3));
    return {};
}

RulesMaker::RulesMaker(const PasswordRules &rules, int length)
    : m_allowed(rules.allowed.toStdU16String()), m_maxRun(rules.maxConsecutive.value_or(0)), m_length(length)
{
    const RulesCount count(rules, length);
    m_usable = drawable(rules, length, count);
    if (!m_usable)
        return;
    m_distinct = count.toUInt64();
    m_threshold = RandomSource::smallThreshold(quint32(m_allowed.size()));
    for (const char16_t character : m_allowed) {
        quint32 groups = 0;
        for (qsizetype g = 0; g < rules.required.size(); ++g)
            if (rules.required[g].contains(QChar(character)))
                groups |= quint32(1) << g;
        m_groups.push_back(groups);
    }
    m_allGroups = (quint32(1) << rules.required.size()) - 1;
}

// Each try draws every character uniformly from the allowed set and is kept
// only when it meets every rule. A try that breaks max-consecutive is given
// up at once: whether it is kept never depends on the draws not yet made
// beyond that, so the kept passwords stay uniform.
qsizetype RulesMaker::build(char16_t *out, RandomSource &random, qint64 &) const
{
    if (!m_usable)
        return 0;
    const auto size = quint32(m_allowed.size());
    for (;;) {
        quint32 met = 0;
        int run = 0;
        qsizetype at = 0;
        for (; at < m_length; ++at) {
            const quint32 index = random.belowSmall(size, m_threshold);
            const char16_t character = m_allowed[index];
            run = at > 0 && out[at - 1] == character ? run + 1 : 1;
            if (m_maxRun > 0 && run > m_maxRun)
                break;
            out[at] = character;
            met |= m_groups[index];
        }
        if (at == m_length && met == m_allGroups)
            return m_length;
    }
}
