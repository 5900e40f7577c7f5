#pragma once

#include "core/generation/CharacterClass.h"
#include "core/generation/GenerationSettings.h"
#include "core/generation/PasswordMaker.h"
#include "core/generation/RandomSource.h"
#include "core/generation/WordList.h"

#include <QString>
#include <QStringView>

#include <algorithm>
#include <vector>

// Turns a mask into passwords. The mask is read once into a list of steps
// (copy these characters, draw from that class, write the counter, draw a
// word), so that each password costs only its draws.
//
// Each mask character is tested against the symbols in a fixed order (digit,
// lower, upper, counter, special, word); the first that matches wins. A
// symbol matches only when its setting is exactly that one character. With
// noLookAlike the classes lose their look-alike characters here, at draw
// time; the stored classes stay as they are.
class PasswordBuilder : public PasswordMaker
{
public:
    // A mask with the word symbol reads the settings' word list (WordList::read).
    PasswordBuilder(const QString &mask, const GenerationSettings &settings);

    // The most UTF-16 units one password can take (the counter at its widest).
    qsizetype maxLength() const override { return m_maxLength; }
    // True when the mask holds no symbol that draws or counts.
    bool isConstant() const { return m_constant; }

    // Writes one password to out (which holds at least maxLength() units)
    // and returns its length. The batch counter supplies and advances the
    // incrementing numbers.
    qsizetype build(char16_t *out, RandomSource &random, qint64 &counter) const override;
    using PasswordMaker::build;
    qint64 countersPerPassword() const override;

    struct Step
    {
        enum Kind { Literal, Draw, Counter, Word } kind;
        qsizetype begin = 0; // Literal: range in m_literals
        qsizetype length = 0;
        int classIndex = -1; // Draw: index in m_classes
    };
    const std::vector<Step> &steps() const { return m_steps; }
    // A counter makes every password of a batch new.
    bool hasCounter() const
    {
        return std::any_of(m_steps.begin(), m_steps.end(), [](const Step &step) { return step.kind == Step::Counter; });
    }
    const CharacterClass &stepClass(const Step &step) const { return m_classes[size_t(step.classIndex)]; }
    QStringView stepLiteral(const Step &step) const { return QStringView(m_literals).sliced(step.begin, step.length); }
    // The list the word steps draw from: words is null when the mask has no
    // word symbol, or when the list can't be used (problem says why; the
    // word symbols then add nothing).
    const WordList::Read &wordList() const { return m_wordList; }

private:
    void addWord(const GenerationSettings &settings);

    std::vector<Step> m_steps;
    std::vector<CharacterClass> m_classes;
    std::u16string m_literals;
    WordList::Read m_wordList;
    qsizetype m_maxLength = 0;
    bool m_constant = true;
};
