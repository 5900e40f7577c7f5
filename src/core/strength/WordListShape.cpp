#include "core/strength/WordListShape.h"

#include "core/generation/WordList.h"

#include <QList>
#include <QMutex>
#include <QStringView>

#include <algorithm>
#include <string>

namespace {

// The longest run of sorted texts each of which begins the next.
quint32 longestChain(std::vector<std::u16string> &texts)
{
    std::sort(texts.begin(), texts.end());
    // In sorted order every text that begins another lies before it, and
    // everything in between begins with it too: a stack holds the chain.
    std::vector<const std::u16string *> chain;
    quint32 longest = 1;
    for (const std::u16string &text : texts) {
        while (!chain.empty() && !text.starts_with(*chain.back()))
            chain.pop_back();
        chain.push_back(&text);
        longest = std::max(longest, quint32(chain.size()));
    }
    return longest;
}

WordListShape shapeOf(const WordList &list)
{
    WordListShape shape;
    std::vector<std::u16string> words, reversed;
    words.reserve(list.size());
    reversed.reserve(list.size());
    for (quint32 i = 0; i < list.size(); ++i) {
        const QStringView word = list.at(i);
        words.emplace_back(word.utf16(), size_t(word.size()));
        reversed.emplace_back(words.back().rbegin(), words.back().rend());
        for (const char32_t point : word.toUcs4())
            shape.characters.push_back(point);
        // Keeps the list of characters short on the way.
        if (shape.characters.size() > 4096) {
            std::sort(shape.characters.begin(), shape.characters.end());
            shape.characters.erase(std::unique(shape.characters.begin(), shape.characters.end()),
                                   shape.characters.end());
        }
    }
    std::sort(shape.characters.begin(), shape.characters.end());
    shape.characters.erase(std::unique(shape.characters.begin(), shape.characters.end()), shape.characters.end());
    // Reversed units still tell endings apart: the words are whole UTF-16.
    shape.longestPrefixChain = longestChain(words);
    shape.longestSuffixChain = longestChain(reversed);
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
