#include "SeenPasswords.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

quint64 *zeroedSlots(size_t count)
{
    // calloc hands out fresh, already zero pages for large blocks: no pass
    // over the whole table before the first password.
    auto *slots = static_cast<quint64 *>(std::calloc(count, sizeof(quint64)));
    if (!slots)
        throw std::bad_alloc();
    return slots;
}

size_t lengthPrefixSize(size_t length)
{
    size_t bytes = 1;
    while (length >= 0x80) {
        length >>= 7;
        ++bytes;
    }
    return bytes;
}

} // namespace

SeenPasswords::SeenPasswords(quint64 expected)
{
    size_t capacity = 1024;
    while (capacity < (size_t(1) << 40) && quint64(capacity) * 3 < expected * 4)
        capacity *= 2;
    m_slots = zeroedSlots(capacity);
    m_mask = capacity - 1;
}

SeenPasswords::~SeenPasswords()
{
    std::free(m_slots);
}

quint64 SeenPasswords::hash(const char *bytes, size_t length)
{
    // Eight bytes at a time, multiply-xorshift mixing, then a full
    // finaliser: the low bits pick the slot, the high bits make the tag.
    quint64 h = 0x9E3779B97F4A7C15ull ^ length;
    while (length >= 8) {
        quint64 word;
        std::memcpy(&word, bytes, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
        bytes += 8;
        length -= 8;
    }
    if (length) {
        quint64 word = 0;
        std::memcpy(&word, bytes, length);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
    }
    h ^= h >> 32;
    h *= 0x94D049BB133111EBull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return h;
}

const unsigned char *SeenPasswords::textAt(quint64 place, size_t &length) const
{
    const unsigned char *at = m_pages[size_t(place >> kPageBits)].get() + (place & (kPageSize - 1));
    length = 0;
    for (unsigned shift = 0;; shift += 7) {
        const unsigned char byte = *at++;
        length |= size_t(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return at;
    }
}

bool SeenPasswords::matches(quint64 slot, const char *bytes, size_t length) const
{
    size_t keptLength;
    const unsigned char *kept = textAt(slot & ((quint64(1) << kPlaceBits) - 1), keptLength);
    return keptLength == length && std::memcmp(kept, bytes, length) == 0;
}

quint64 SeenPasswords::store(const char *bytes, size_t length)
{
    const size_t needed = lengthPrefixSize(length) + length;
    size_t page;
    size_t offset;
    if (needed > kPageSize) {
        // A password longer than a page gets a page of its own.
        m_pages.push_back(std::make_unique_for_overwrite<unsigned char[]>(needed));
        page = m_pages.size() - 1;
        offset = 0;
        m_used = kPageSize; // the next password starts a new page
    } else {
        if (m_used + needed > kPageSize) {
            m_pages.push_back(std::make_unique_for_overwrite<unsigned char[]>(kPageSize));
            m_page = m_pages.size() - 1;
            m_used = 0;
        }
        page = m_page;
        offset = m_used;
        m_used += needed;
    }
    if (page >= (size_t(1) << (kPlaceBits - kPageBits)))
        throw std::bad_alloc();

    unsigned char *at = m_pages[page].get() + offset;
    size_t rest = length;
    while (rest >= 0x80) {
        *at++ = static_cast<unsigned char>(rest | 0x80);
        rest >>= 7;
    }
    *at++ = static_cast<unsigned char>(rest);
    std::memcpy(at, bytes, length);
    return (quint64(page) << kPageBits) | offset;
}

bool SeenPasswords::insert(const char *bytes, size_t length, quint64 hash)
{
    const quint64 tag = kUsed | tagOf(hash);
    const quint64 tagMask = ~((quint64(1) << kPlaceBits) - 1);
    size_t slot = hash & m_mask;
    while (const quint64 entry = m_slots[slot]) {
        if ((entry & tagMask) == tag && matches(entry, bytes, length))
            return false;
        slot = (slot + 1) & m_mask;
    }
    m_slots[slot] = tag | store(bytes, length);
    if (++m_count * 4 > quint64(m_mask + 1) * 3)
        grow();
    return true;
}

void SeenPasswords::grow()
{
    // Slots keep no hash bits below the tag, so each kept password is hashed
    // again to find its new slot.
    const size_t oldCapacity = m_mask + 1;
    quint64 *old = m_slots;
    m_slots = zeroedSlots(oldCapacity * 2);
    m_mask = oldCapacity * 2 - 1;
    for (size_t i = 0; i < oldCapacity; ++i) {
        const quint64 entry = old[i];
        if (!entry)
            continue;
        size_t length;
        const unsigned char *text = textAt(entry & ((quint64(1) << kPlaceBits) - 1), length);
        size_t slot = hash(reinterpret_cast<const char *>(text), length) & m_mask;
        while (m_slots[slot])
            slot = (slot + 1) & m_mask;
        m_slots[slot] = entry;
    }
    std::free(old);
}
