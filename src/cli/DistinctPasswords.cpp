#include "cli/DistinctPasswords.h"

#include "core/generation/PasswordBuilder.h"
#include "core/rules/RulesMaker.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

QString passwords(qint64 count)
{
    return count == 1 ? u"password"_s : u"passwords"_s;
}

} // namespace

DistinctPasswords::DistinctPasswords(const PasswordBuilder &builder)
    : m_strength(MaskStrength::measure(builder)), m_counter(builder.hasCounter()), m_allows(u"the mask allows"_s)
{}

DistinctPasswords::DistinctPasswords(const RulesMaker &maker, double log2Count) : m_allows(u"the rules allow"_s)
{
    m_strength.exactKeySpace = maker.distinctPasswords();
    m_strength.bits = m_strength.log2KeySpace = m_strength.log2LeastKeySpace = log2Count;
}

std::optional<quint64> DistinctPasswords::most() const
{
    return m_counter ? std::nullopt : m_strength.exactKeySpace;
}

quint64 DistinctPasswords::least() const
{
    if (m_strength.exact && m_strength.exactKeySpace)
        return *m_strength.exactKeySpace;
    if (m_strength.log2LeastKeySpace >= 63)
        return std::numeric_limits<quint64>::max();
    // A whole number that the logarithm only just misses is that number.
    const double least = std::exp2(m_strength.log2LeastKeySpace);
    const double nearest = std::round(least);
    return quint64(std::abs(least - nearest) < 1e-9 * least ? nearest : std::floor(least));
}

QString DistinctPasswords::refusal(qint64 wanted) const
{
    if (m_counter || least() >= quint64(wanted))
        return {};
    const QString mostText = MaskStrength::keySpaceText(m_strength);
    if (m_strength.exact)
        return u"%1 only %2 distinct %3, fewer than the %4 asked for"_s.arg(
            m_allows, mostText, passwords(qint64(least())), QString::number(wanted));
    if (!most().has_value() || *most() >= quint64(wanted)) {
        return u"the mask allows from %1 to %2 distinct passwords (its words can run together in more than one "
               u"way), so %3 can't be promised: ask for at most %1"_s.arg(QString::number(least()), mostText,
                                                                          QString::number(wanted));
    }
    return u"the mask allows at most %1 distinct %2, fewer than the %3 asked for"_s.arg(
        mostText, passwords(qint64(*most())), QString::number(wanted));
}

QString DistinctPasswords::shortfall(qint64 attempts, qint64 written) const
{
    if (written >= attempts)
        return {};
    const QString made = u"%1 distinct %2 from %3 attempts"_s.arg(QString::number(written), passwords(written),
                                                                  QString::number(attempts));
    if (!m_counter && m_strength.exact && most() && *most() == quint64(written))
        return made + u": all %1"_s.arg(m_allows);
    const QString allows = m_counter ? QString()
                                     : u" (%1 %2%3)"_s.arg(m_allows, m_strength.exact ? QString() : u"at most "_s,
                                                           MaskStrength::keySpaceText(m_strength));
    if (!refusal(attempts).isEmpty())
        return made + allows;
    return made + allows + u"; --distinct draws until there are %1"_s.arg(attempts);
}
