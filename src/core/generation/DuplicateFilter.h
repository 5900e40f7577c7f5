#pragma once

#include "core/common/HugePageAllocator.h"

#include <QStringView>

#include <vector>

// Remembers which texts a batch has already listed, without scanning the
// list: an open-addressing table of (hash tag, row) pairs, 8 bytes a row.
// Only when a tag matches is the listed text itself compared, so the answer
// is exact.
class DuplicateFilter
{
public:
    // expected: the number of texts the batch may add (the table grows past it).
    explicit DuplicateFilter(qsizetype expected);

    static quint64 hash(QStringView text);

    // Starts loading the table slot of a hash into the cache.
    void prefetch(quint64 hash) const { __builtin_prefetch(&m_slots[slotOf(tagOf(hash))]); }

    // Records text as the given row and returns true, unless an equal text
    // was recorded before (textOfRow(row) gives a recorded row's text), in
    // which case nothing changes and false is returned.
    template <typename TextOfRow> bool insert(QStringView text, quint64 hash, quint32 row, TextOfRow textOfRow)
    {
        const quint32 tag = tagOf(hash);
        size_t slot = slotOf(tag);
        while (const quint64 entry = m_slots[slot]) {
            if (quint32(entry >> 32) == tag && textOfRow(quint32(entry) - 1) == text)
                return false;
            slot = (slot + 1) & m_mask;
        }
        m_slots[slot] = (quint64(tag) << 32) | (quint64(row) + 1);
        if (++m_count * 2 > m_slots.size())
            grow();
        return true;
    }

private:
    static quint32 tagOf(quint64 hash) { return quint32(hash >> 32); }
    size_t slotOf(quint32 tag) const { return size_t(tag) & m_mask; }
    void grow();

    std::vector<quint64, HugePageAllocator<quint64>> m_slots;
    size_t m_mask = 0;
    size_t m_count = 0;
};
