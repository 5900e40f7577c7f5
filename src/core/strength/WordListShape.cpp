#include "core/strength/WordListShape.h"

#include "core/generation/WordList.h"

#include <QMutex>
#include <QStringView>

#include <algorithm>
#include <string_view>

namespace {

using Word = std::u16string_view;

// The longest run of words each of which begins (or, reading backwards,
// ends) the next.
quint32 longestChain(const std::vector<Word> &words, bool backwards)
{
    std::vector<Word> sorted = words;
    if (backwards) {
        std::sort(sorted.begin(), sorted.end(), [](Word a, Word b) {
            return std::lexicographical_compare(a.rbegin(), a.rend(), b.rbegin(), b.rend());
        });
    } else {
        std::sort(sorted.begin(), sorted.end());
    }
    // In sorted order every word that begins another lies before it, and
    // everything in between begins with it too: a stack holds the chain.
    std::vector<Word> chain;
    quint32 longest = 1;
    for (const Word word : sorted) {
        while (!chain.empty() && !(backwards ? word.ends_with(chain.back()) : word.starts_with(chain.back())))
            chain.pop_back();
        chain.push_back(word);
        longest = std::max(longest, quint32(chain.size()));
    }
    return longest;
}

WordListShape shapeOf(const WordList &list)
{
    WordListShape shape;
    std::vector<Word> words;
    words.reserve(list.size());
    std::vector<bool> held(0x110000);
    for (quint32 i = 0; i < list.size(); ++i) {
        const QStringView word = list.at(i);
        words.emplace_back(word.utf16(), size_t(word.size()));
        for (qsizetype k = 0; k < word.size(); ++k) {
            const bool pair = word[k].isHighSurrogate() && k + 1 < word.size() && word[k + 1].isLowSurrogate();
            held[pair ? QChar::surrogateToUcs4(word[k], word[k + 1]) : word[k].unicode()] = true;
            k += pair;
        }
    }
    for (char32_t point = 0; point < held.size(); ++point) {
        if (held[point])
            shape.characters.push_back(point);
    }
    // The words are whole UTF-16, so units compare as well as characters.
    shape.longestPrefixChain = longestChain(words, false);
    shape.longestSuffixChain = longestChain(words, true);
    return shape;
}

} // namespace

bool WordListShape::holds(char32_t character) const
{
    return std::binary_search(characters.begin(), characters.end(), character);
}

std::shared_ptr<const WordListShape> WordListShape::of(const std::shared_ptr<const WordList> &list)
{
    // The meter asks at every key press with the list WordList::read keeps:
    // the last shape is kept with it.
    static QMutex mutex;
    static std::weak_ptr<const WordList> lastList;
    static std::shared_ptr<const WordListShape> lastShape;
    const QMutexLocker lock(&mutex);
    if (!lastShape || lastList.lock() != list) {
        lastShape = std::make_shared<const WordListShape>(shapeOf(*list));
        lastList = list;
    }
    return lastShape;
}
