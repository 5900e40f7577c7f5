#include "core/generation/PasswordBuilder.h"

#include "core/generation/LookAlike.h"

#include <QList>
#include <QStringView>

#include <algorithm>
#include <iterator>

namespace {

// The symbol's one character, or an invalid code point when the setting is
// empty or longer than one character (such a symbol never matches).
char32_t symbolCharacter(const QString &setting)
{
    const QList<uint> points = setting.toUcs4();
    return points.size() == 1 ? char32_t(points.front()) : char32_t(0xFFFFFFFF);
}

qsizetype writeCounter(char16_t *out, qint64 value)
{
    char16_t digits[20];
    qsizetype n = 0;
    quint64 v = value < 0 ? quint64(-(value + 1)) + 1 : quint64(value);
    do {
        digits[n++] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v);
    qsizetype written = 0;
    if (value < 0)
        out[written++] = u'-';
    while (n)
        out[written++] = digits[--n];
    return written;
}

} // namespace

PasswordBuilder::PasswordBuilder(const QString &mask, const GenerationSettings &settings)
{
    auto addLiteral = [this](char32_t point) {
        char16_t units[2];
        const qsizetype count = QChar::requiresSurrogates(point) ? 2 : 1;
        if (count == 2) {
            units[0] = QChar::highSurrogate(point);
            units[1] = QChar::lowSurrogate(point);
        } else {
            units[0] = char16_t(point);
        }
        if (m_steps.empty() || m_steps.back().kind != Step::Literal)
            m_steps.push_back({Step::Literal, qsizetype(m_literals.size()), 0, -1});
        m_literals.append(units, size_t(count));
        m_steps.back().length += count;
        m_maxLength += count;
    };

    const QList<uint> points = mask.toUcs4();
    if (settings.mode == GenerationMode::CopyUnchanged) {
        for (uint point : points)
            addLiteral(point);
        return;
    }

    const bool custom = settings.mode == GenerationMode::Custom;
    const auto classOf = [&](const QString &stored, const CharacterClass &builtIn) {
        const CharacterClass drawFrom = custom ? CharacterClass(stored) : builtIn;
        return settings.noLookAlike ? LookAlike::without(drawFrom) : drawFrom;
    };
    const CharacterClass digits = classOf(settings.digitClass, CharacterClass::defaultDigits());
    const CharacterClass lower = classOf(settings.lowerClass, CharacterClass::defaultLower());
    const CharacterClass upper = classOf(settings.upperClass, CharacterClass::defaultUpper());
    const CharacterClass special = classOf(settings.specialClass, CharacterClass::defaultSpecial());

    struct Symbol
    {
        char32_t character;
        const CharacterClass *drawsFrom; // nullptr: the counter or a word
    };
    const Symbol symbols[] = {
        {symbolCharacter(settings.digitSymbol), &digits},    {symbolCharacter(settings.lowerSymbol), &lower},
        {symbolCharacter(settings.upperSymbol), &upper},     {symbolCharacter(settings.counterSymbol), nullptr},
        {symbolCharacter(settings.specialSymbol), &special}, {symbolCharacter(settings.wordSymbol), nullptr},
    };
    const Symbol *const wordSymbol = &symbols[std::size(symbols) - 1];
    int classIndex[std::size(symbols)];
    std::fill(std::begin(classIndex), std::end(classIndex), -1);

    for (uint point : points) {
        const Symbol *match = nullptr;
        int which = 0;
        for (const Symbol &symbol : symbols) {
            if (symbol.character == point) {
                match = &symbol;
                break;
            }
            ++which;
        }
        if (!match) {
            addLiteral(point);
            continue;
        }
        if (match == wordSymbol) {
            addWord(settings);
            continue;
        }
        m_constant = false;
        if (!match->drawsFrom) {
            m_steps.push_back({Step::Counter, 0, 0, -1});
            m_maxLength += 20;
            continue;
        }
        if (match->drawsFrom->isEmpty())
            continue; // an empty class adds nothing
        if (classIndex[which] < 0) {
            classIndex[which] = int(m_classes.size());
            m_classes.push_back(*match->drawsFrom);
        }
        m_steps.push_back({Step::Draw, 0, 0, classIndex[which]});
        m_maxLength += match->drawsFrom->maxUnits();
    }
}

void PasswordBuilder::addWord(const GenerationSettings &settings)
{
    if (!m_wordList.words && m_wordList.outcome.ok())
        m_wordList = WordList::read(WordList::pathOf(settings.wordList), settings.capitaliseWords);
    if (!m_wordList.words)
        return; // a list that can't be used adds nothing, like an empty class
    m_constant = false;
    m_steps.push_back({Step::Word, 0, 0, -1});
    m_maxLength += m_wordList.words->maxLength();
}

qsizetype PasswordBuilder::build(char16_t *out, RandomSource &random, qint64 &counter) const
{
    char16_t *cursor = out;
    for (const Step &step : m_steps) {
        switch (step.kind) {
        case Step::Literal:
            for (qsizetype i = 0; i < step.length; ++i)
                *cursor++ = m_literals[size_t(step.begin + i)];
            break;
        case Step::Draw: {
            const CharacterClass &drawFrom = m_classes[size_t(step.classIndex)];
            if (drawFrom.isSmall()) {
                *cursor++ = drawFrom.units()[random.belowSmall(drawFrom.size(), drawFrom.threshold())];
                break;
            }
            const char32_t point = drawFrom.at(random.below(drawFrom.size()));
            if (drawFrom.basicPlaneOnly() || !QChar::requiresSurrogates(point)) {
                *cursor++ = char16_t(point);
            } else {
                *cursor++ = QChar::highSurrogate(point);
                *cursor++ = QChar::lowSurrogate(point);
            }
            break;
        }
        case Step::Counter:
            cursor += writeCounter(cursor, counter);
            ++counter;
            break;
        case Step::Word: {
            // Words are short: a plain loop beats a call to memmove.
            const QStringView word = m_wordList.words->at(random.below(m_wordList.words->size()));
            for (const QChar c : word)
                *cursor++ = c.unicode();
            break;
        }
        }
    }
    return cursor - out;
}

qint64 PasswordBuilder::countersPerPassword() const
{
    return std::count_if(m_steps.begin(), m_steps.end(), [](const Step &step) { return step.kind == Step::Counter; });
}
