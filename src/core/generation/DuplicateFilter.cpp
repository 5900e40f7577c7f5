#include "core/generation/DuplicateFilter.h"

#include <cstring>

DuplicateFilter::DuplicateFilter(qsizetype expected)
{
    size_t capacity = 64;
    while (capacity < size_t(expected) * 2 && capacity < (size_t(1) << 31))
        capacity *= 2;
    m_slots.assign(capacity, 0);
    m_mask = capacity - 1;
}

quint64 DuplicateFilter::hash(QStringView text)
{
    // Eight bytes at a time, multiply-xorshift mixing: fast on short texts
    // and well spread in the upper half, which the tag is taken from.
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.utf16());
    size_t remaining = size_t(text.size()) * sizeof(char16_t);
    quint64 h = 0x9E3779B97F4A7C15ull ^ remaining;
    while (remaining >= 8) {
        quint64 word;
        std::memcpy(&word, bytes, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
        bytes += 8;
        remaining -= 8;
    }
    if (remaining) {
        quint64 word = 0;
        std::memcpy(&word, bytes, remaining);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
    }
    h ^= h >> 32;
    h *= 0x94D049BB133111EBull;
    h ^= h >> 29;
    return h;
}

void DuplicateFilter::grow()
{
    decltype(m_slots) old;
    old.swap(m_slots);
    m_slots.assign(old.size() * 2, 0);
    m_mask = m_slots.size() - 1;
    for (const quint64 entry : old) {
        if (!entry)
            continue;
        size_t slot = slotOf(quint32(entry >> 32));
        while (m_slots[slot])
            slot = (slot + 1) & m_mask;
        m_slots[slot] = entry;
    }
}
