#include "core/rules/PasswordRules.h"

#include <algorithm>
#include <bit>
#include <bitset>
#include <climits>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using CharacterSet = std::bitset<128>;

constexpr char16_t kFirstPrintable = u' ';
constexpr char16_t kLastPrintable = u'~';

CharacterSet setOf(QStringView characters)
{
    CharacterSet set;
    for (const QChar character : characters)
        if (character >= QChar(kFirstPrintable) && character <= QChar(kLastPrintable))
            set.set(character.unicode());
    return set;
}

CharacterSet printableAscii()
{
    CharacterSet set;
    for (char16_t code = kFirstPrintable; code <= kLastPrintable; ++code)
        set.set(code);
    return set;
}

QString textOf(const CharacterSet &set)
{
    QString text;
    for (char16_t code = kFirstPrintable; code <= kLastPrintable; ++code)
        if (set.test(code))
            text.append(QChar(code));
    return text;
}

// Reads the text one property at a time; the first problem ends the reading.
class RulesReader
{
public:
    explicit RulesReader(QStringView text) : m_text(text) {}

    Outcome read()
    {
        while (skipBlanks(), m_at < m_text.size()) {
            if (peek() == u';') {
                ++m_at;
                continue;
            }
            const QString name = takeName();
            skipBlanks();
            if (peek() != u':') {
                if (isKnown(name))
                    return Outcome::failure(u"\"%1\" must be followed by \":\" and its value."_s.arg(name));
                skipProperty(); // another property: not ours to judge
                continue;
            }
            ++m_at;
            const Outcome property = readValue(name);
            if (!property)
                return property;
            skipBlanks();
            if (m_at < m_text.size() && peek() != u';')
                return Outcome::failure(u"Expected \";\" after the value of \"%1\", found \"%2\"."_s.arg(name, rest()));
        }
        return {};
    }

    std::vector<CharacterSet> required;
    CharacterSet allowed;
    bool namedUnicode = false;
    bool namedAny = false; // some required or allowed property was given
    std::optional<int> minLength, maxLength, maxConsecutive;

private:
    static bool isKnown(const QString &name)
    {
        return name == u"required" || name == u"allowed" || name == u"minlength" || name == u"maxlength" ||
               name == u"max-consecutive";
    }

    Outcome readValue(const QString &name)
    {
        if (name == u"required" || name == u"allowed") {
            CharacterSet set;
            if (const Outcome classes = readClasses(name, set); !classes)
                return classes;
            namedAny = true;
            if (name == u"allowed")
                allowed |= set;
            else if (set.none())
                return Outcome::failure(u"A \"required\" property names no character, so no password can meet it."_s);
            else
                required.push_back(set);
            return {};
        }
        if (!isKnown(name)) {
            skipProperty();
            return {};
        }
        skipBlanks();
        const qsizetype start = m_at;
        const QString given = rest();
        while (m_at < m_text.size() && peek().isDigit() && peek().unicode() < 128)
            ++m_at;
        bool ok = false;
        const int value = m_text.sliced(start, m_at - start).toInt(&ok);
        if (!ok)
            return Outcome::failure(
                u"\"%1\" needs a whole number of at most %2, not \"%3\"."_s.arg(name).arg(INT_MAX).arg(given));
        // Several of one length property: the strictest holds.
        if (name == u"minlength")
            minLength = qMax(value, minLength.value_or(0));
        else if (name == u"maxlength")
            maxLength = qMin(value, maxLength.value_or(INT_MAX));
        else
            maxConsecutive = qMin(value, maxConsecutive.value_or(INT_MAX));
        return {};
    }

    Outcome readClasses(const QString &property, CharacterSet &set)
    {
        for (;;) {
            skipBlanks();
            if (peek() == u'[') {
                if (const Outcome custom = readCustomClass(set); !custom)
                    return custom;
            } else {
                const QString name = takeName();
                if (name.isEmpty())
                    return Outcome::failure(u"\"%1\" needs a character class, not \"%2\"."_s.arg(property, rest()));
                if (name == u"upper")
                    set |= setOf(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
                else if (name == u"lower")
                    set |= setOf(u"abcdefghijklmnopqrstuvwxyz");
                else if (name == u"digit")
                    set |= setOf(u"0123456789");
                else if (name == u"special")
                    set |= setOf(u"-~!@#$%^&*_+=`|(){}[:;\"'<>,.? ]");
                else if (name == u"ascii-printable")
                    set |= printableAscii();
                else if (name == u"unicode") {
                    set |= printableAscii();
                    namedUnicode = true;
                } else
                    return Outcome::failure(
                        u"\"%1\" is not a character class (upper, lower, digit, special, ascii-printable, unicode "
                        "or characters in brackets)."_s.arg(name));
            }
            skipBlanks();
            if (peek() != u',')
                return {};
            ++m_at;
        }
    }

    // "[" characters "]": "-" may only stand first and "]" only last.
    Outcome readCustomClass(CharacterSet &set)
    {
        const qsizetype open = m_at++;
        QString characters;
        if (peek() == u'-') {
            characters.append(u'-');
            ++m_at;
        }
        for (; m_at < m_text.size(); ++m_at) {
            const QChar character = peek();
            if (character == u']') {
                if (m_at + 1 < m_text.size() && m_text[m_at + 1] == u']')
                    characters.append(m_text[m_at++]);
                ++m_at;
                set |= setOf(characters);
                return {};
            }
            if (character == u'-')
                return Outcome::failure(u"In \"%1\", \"-\" may only stand right after \"[\"."_s.arg(
                    m_text.sliced(open).toString().section(u']', 0, 0) + u']'));
            characters.append(character);
        }
        return Outcome::failure(u"\"%1\" has no closing \"]\"."_s.arg(m_text.sliced(open)));
    }

    QChar peek() const { return m_at < m_text.size() ? m_text[m_at] : QChar(); }
    QString rest() const { return m_text.sliced(m_at).toString().section(u';', 0, 0).trimmed(); }
    void skipBlanks()
    {
        while (m_at < m_text.size() && peek().isSpace())
            ++m_at;
    }
    // Past the next ";" outside brackets: another property's value may hold classes too.
    void skipProperty()
    {
        for (bool open = false; m_at < m_text.size(); ++m_at) {
            const QChar character = peek();
            if (character == u';' && !open)
                break;
            if (character == u'[')
                open = true;
            else if (character == u']' && (m_at + 1 == m_text.size() || m_text[m_at + 1] != u']'))
                open = false;
        }
    }
    QString takeName()
    {
        const qsizetype start = m_at;
        while (m_at < m_text.size() && (peek().isLetterOrNumber() || peek() == u'-'))
            ++m_at;
        return m_text.sliced(start, m_at - start).toString().toLower();
    }

    QStringView m_text;
    qsizetype m_at = 0;
};

// Drops the groups that hold another whole (met whenever it is) and the repeats.
std::vector<CharacterSet> essentialGroups(std::vector<CharacterSet> groups)
{
    std::vector<CharacterSet> kept;
    for (size_t i = 0; i < groups.size(); ++i) {
        const bool covers = std::any_of(groups.begin(), groups.end(), [&](const CharacterSet &other) {
            const bool inside = (other & ~groups[i]).none();
            return &other != &groups[i] && inside && (other != groups[i] || &other < &groups[i]);
        });
        if (!covers)
            kept.push_back(groups[i]);
    }
    return kept;
}

// The fewest characters that hold one of each group: a breadth-first walk
// over which groups are met, one character at a time.
int fewestToMeet(const PasswordRules &rules)
{
    const qsizetype groups = rules.required.size();
    std::vector<quint32> kinds;
    for (const QChar character : rules.allowed) {
        quint32 bits = 0;
        for (qsizetype g = 0; g < groups; ++g)
            if (rules.required[g].contains(character))
                bits |= 1u << g;
        if (bits && std::find(kinds.begin(), kinds.end(), bits) == kinds.end())
            kinds.push_back(bits);
    }
    const quint32 all = (1u << groups) - 1;
    std::vector<int> steps(size_t(all) + 1, -1);
    std::vector<quint32> layer{0};
    steps[0] = 0;
    for (int depth = 0; !layer.empty(); ++depth) {
        if (steps[all] >= 0)
            return steps[all];
        std::vector<quint32> next;
        for (const quint32 met : layer)
            for (const quint32 kind : kinds)
                if (steps[met | kind] < 0) {
                    steps[met | kind] = depth + 1;
                    next.push_back(met | kind);
                }
        layer = std::move(next);
    }
    return steps[all];
}

} // namespace

PasswordRules::Read PasswordRules::read(QStringView text)
{
    RulesReader reader(text);
    Read result;
    if (result.outcome = reader.read(); !result.outcome)
        return result;

    PasswordRules &rules = result.rules;
    std::vector<CharacterSet> groups = essentialGroups(reader.required);
    CharacterSet allowed = reader.namedAny ? reader.allowed : printableAscii();
    for (const CharacterSet &group : reader.required)
        allowed |= group;
    for (const CharacterSet &group : groups)
        rules.required.append(textOf(group));
    rules.allowed = textOf(allowed);
    rules.minLength = reader.minLength;
    rules.maxLength = reader.maxLength;
    rules.maxConsecutive = reader.maxConsecutive;
    rules.drawnFromAscii = reader.namedUnicode;

    auto fail = [&result](const QString &reason) {
        result = {PasswordRules{}, Outcome::failure(reason)};
        return result;
    };
    if (rules.allowed.isEmpty())
        return fail(u"The rules allow no character at all."_s);
    if (rules.maxConsecutive == 0)
        return fail(u"\"max-consecutive: 0\" lets no character stand even once, so no password can meet it."_s);
    if (rules.required.size() > kMostGroups)
        return fail(u"The rules require characters from %1 different groups; at most %2 can be counted."_s
                        .arg(rules.required.size())
                        .arg(kMostGroups));
    if (rules.minLength && rules.maxLength && *rules.minLength > *rules.maxLength)
        return fail(u"\"minlength: %1\" is above \"maxlength: %2\": no password can be both."_s.arg(*rules.minLength)
                        .arg(*rules.maxLength));
    if (rules.minLength.value_or(1) > kLongestEver)
        return fail(u"\"minlength: %1\" is above %2, the longest password made here."_s.arg(*rules.minLength)
                        .arg(kLongestEver));
    if (rules.maxLength == 0)
        return fail(u"\"maxlength: 0\" leaves no room for a password."_s);
    // The groups are met most easily at the longest length, which longest()
    // has already cut to what one repeated character allows.
    if (const Outcome longest = rules.checkLength(rules.longest()); !longest)
        return fail(longest.reason());
    return result;
}

int PasswordRules::shortest() const
{
    return qMax(1, minLength.value_or(1));
}

int PasswordRules::longest() const
{
    int longest = qMin(maxLength.value_or(kLongestWithoutMax), kLongestEver);
    // Only one character, repeated: no longer than max-consecutive allows.
    if (allowed.size() == 1 && maxConsecutive)
        longest = qMin(longest, qMax(*maxConsecutive, shortest()));
    return qMax(longest, shortest());
}

int PasswordRules::defaultLength() const
{
    return qMax(qMin(longest(), 20), shortest());
}

Outcome PasswordRules::checkLength(int length) const
{
    if (length < shortest() || length > longest())
        return Outcome::failure(
            u"A password of %1 characters is outside these rules: they allow %2 to %3."_s.arg(length)
                .arg(shortest())
                .arg(longest()));
    if (const int fewest = fewestToMeet(*this); fewest < 0 || length < fewest)
        return Outcome::failure(
            u"The %1 required groups need at least %2 characters, more than %3."_s.arg(required.size())
                .arg(fewest)
                .arg(length));
    if (allowed.size() == 1 && maxConsecutive && length > *maxConsecutive)
        return Outcome::failure(
            u"Only \"%1\" may appear, and \"max-consecutive: %2\" allows it no more than %2 times in a row."_s
                .arg(allowed)
                .arg(*maxConsecutive));
    return {};
}
