#pragma once

#include <QString>

#include <memory>
#include <optional>

struct PasswordRules;

// The exact number of passwords of one length that meet a set of rules, as
// a big whole number (GMP): inclusion and exclusion over the required groups
// of the strings over what remains of the alphabet with no run longer than
// max-consecutive.
class RulesCount
{
public:
    RulesCount(const PasswordRules &rules, int length);
    ~RulesCount();
    RulesCount(const RulesCount &) = delete;
    RulesCount &operator=(const RulesCount &) = delete;

    bool isZero() const;
    // The count in decimal digits.
    QString decimal() const;
    // log2 of the count (minus infinity when it is zero).
    double log2() const;
    // The chance that a string drawn uniformly from the allowed characters
    // meets every rule: the count over allowed^length.
    double acceptance() const;
    // The count when it fits in 64 bits.
    std::optional<quint64> toUInt64() const;

private:
    struct Number;
    std::unique_ptr<Number> m_count;
    double m_log2Drawn = 0; // log2(allowed^length)
};
