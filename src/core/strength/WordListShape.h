#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

class WordList;

// How the words of a list can run together when a mask puts two of them
// side by side: "a" and "aa" make "aaa" both ways. A password is read back
// into its words from the left as long as every word is the only one of the
// list that starts that way, and from the right when every word is the only
// one that ends that way; a character that no word holds ends a word where
// it stands.
struct WordListShape
{
    // Every character some word holds, sorted.
    std::vector<char32_t> characters;
    // The most words of the list that begin one another ("in", "ink",
    // "inkwell": 3): how many ways a word can be read off the left of a text.
    // 1 when no word begins another.
    quint32 longestPrefixChain = 1;
    // The same for endings ("ink", "pink": 2).
    quint32 longestSuffixChain = 1;

    bool holds(char32_t character) const;

    // The shape of a list, worked out once for each list read.
    static std::shared_ptr<const WordListShape> of(const std::shared_ptr<const WordList> &list);
};
