#include "core/rules/RulesCount.h"

#include "core/rules/PasswordRules.h"

#include <gmpxx.h>

#include <bit>
#include <bitset>
#include <cmath>
#include <vector>

namespace {

using CharacterSet = std::bitset<128>;

CharacterSet setOf(const QString &characters)
{
    CharacterSet set;
    for (const QChar character : characters)
        set.set(character.unicode() & 127);
    return set;
}

// The strings of `length` characters over an alphabet of `size` in which no
// character stands more than maxRun times in a row. With S(0) = 1, a string
// of length i ends in a run of j (1 <= j <= maxRun) after a string of i - j
// whose last character differs, or is that run alone:
// S(i) = (size - 1) * (S(i-1) + ... + S(i-maxRun)) + [i <= maxRun].
mpz_class withoutLongRuns(unsigned long size, int length, std::optional<int> maxRun)
{
    mpz_class all;
    if (!maxRun || *maxRun >= length) {
        mpz_ui_pow_ui(all.get_mpz_t(), size, (unsigned long)length);
        return all;
    }
    std::vector<mpz_class> strings(size_t(length) + 1);
    strings[0] = 1;
    mpz_class window = 0; // S(i-1) + ... + S(i-maxRun)
    for (int i = 1; i <= length; ++i) {
        window += strings[size_t(i - 1)];
        if (i - 1 - *maxRun >= 0)
            window -= strings[size_t(i - 1 - *maxRun)];
        strings[size_t(i)] = window * (size - 1) + (i <= *maxRun ? 1 : 0);
    }
    return strings[size_t(length)];
}

double log2Of(const mpz_class &number)
{
    if (number <= 0)
        return -INFINITY;
    long exponent = 0;
    const double mantissa = mpz_get_d_2exp(&exponent, number.get_mpz_t());
    return std::log2(mantissa) + double(exponent);
}

} // namespace

struct RulesCount::Number
{
    mpz_class value;
};

// Inclusion and exclusion: the strings over the whole alphabet, less those
// that miss a group, plus those that miss two, ... Only how many characters
// are left counts, so the signs are summed by that number first and each
// count of strings is made once.
RulesCount::RulesCount(const PasswordRules &rules, int length) : m_count(std::make_unique<Number>())
{
    const CharacterSet allowed = setOf(rules.allowed);
    const auto size = allowed.count();
    std::vector<CharacterSet> groups;
    for (const QString &group : rules.required)
        groups.push_back(setOf(group));
    std::vector<long> signs(size + 1, 0);
    const quint32 combinations = quint32(1) << groups.size();
    for (quint32 missed = 0; missed < combinations; ++missed) {
        CharacterSet left = allowed;
        for (size_t g = 0; g < groups.size(); ++g)
            if (missed & (quint32(1) << g))
                left &= ~groups[g];
        signs[left.count()] += std::popcount(missed) % 2 ? -1 : 1;
    }
    for (size_t left = 0; left <= size; ++left)
        if (signs[left] != 0 && (left > 0 || length == 0))
            m_count->value += withoutLongRuns(left, length, rules.maxConsecutive) * signs[left];
    m_log2Drawn = size ? double(length) * std::log2(double(size)) : 0;
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
    return log2Of(m_count->value);
}

double RulesCount::acceptance() const
{
    return isZero() ? 0 : std::exp2(log2() - m_log2Drawn);
}

std::optional<quint64> RulesCount::toUInt64() const
{
    if (m_count->value < 0 || mpz_sizeinbase(m_count->value.get_mpz_t(), 2) > 64)
        return std::nullopt;
    quint64 value = 0;
    mpz_export(&value, nullptr, -1, sizeof value, 0, 0, m_count->value.get_mpz_t());
    return value;
}
