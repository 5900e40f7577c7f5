#pragma once

#include "core/common/Outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

// The words a mask's word symbol draws from. A list file is UTF-8 text, one
// word a line; a line in dice form ("16655<tab>word" or "16655 word") gives
// the word after the number. Blank lines, repeated words and lines with a
// blank, a control character or a bidirectional override inside the word
// are skipped, so every word is distinct, prints as what it is, and one
// uniform draw over the list gives log2(size) bits.
class WordList
{
public:
    static constexpr qsizetype kMaxBytes = qsizetype(16) << 20;
    static constexpr qsizetype kMaxLines = 1000000;
    static constexpr quint32 kMinWords = 2;

    // The list, or why it can't be used; neither before a list is read.
    struct Read
    {
        std::shared_ptr<const WordList> words; // null when the list can't be used
        Outcome outcome;
    };

    // Reads a list file; with capitalise each word is written with its first
    // letter in upper case (and words that then coincide count once). The
    // file is found as LocatedFile finds it (so another user's file or link
    // in a shared folder is refused) and opened without waiting. The last
    // outcome is kept, so the strength meter can ask again at every key
    // press: an unchanged file, usable or not, is not read again. A failure's
    // reason is "The word list <path> can't be used: <problem>."
    static Read read(const QString &path, bool capitalise);
    // The list in a file's bytes; the limits of a file apply. A failure's
    // reason is the problem alone: "it is not UTF-8 text".
    static Read parse(const QByteArray &bytes, bool capitalise);

    // The file a Words setting names: the shipped English list when empty.
    // A bare file name ("wordlist_de.txt") names a list shipped in the
    // English list's folder.
    static QString pathOf(const QString &wordsSetting);

    quint32 size() const { return quint32(m_starts.size() - 1); }
    QStringView at(quint32 index) const
    {
        return QStringView(m_text.data() + m_starts[index], qsizetype(m_starts[index + 1] - m_starts[index]));
    }
    // The UTF-16 length of the longest word.
    qsizetype maxLength() const { return m_maxLength; }

private:
    std::u16string m_text;            // the words back to back
    std::vector<quint32> m_starts{0}; // where each word starts, and the end
    qsizetype m_maxLength = 0;
};
