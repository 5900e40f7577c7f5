#include "SeenPasswords.h"

#include <cstring>
#include <new>
#include <sys/mman.h>

namespace {

constexpr size_t kHugePage = size_t(2) << 20;

size_t roundUp(size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

// Zeroed memory straight from the kernel, aligned to 2 MiB and offered as
// transparent huge pages: a few hundred page faults fewer per megabyte, and
// no pass over the memory to zero it.
void *mapZeroed(size_t bytes)
{
    const size_t rounded = roundUp(bytes);
    void *mapped = ::mmap(nullptr, rounded + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto *base = static_cast<char *>(mapped);
    const size_t head = (kHugePage - reinterpret_cast<quintptr>(base) % kHugePage) % kHugePage;
    if (head)
        ::munmap(base, head);
    ::munmap(base + head + rounded, kHugePage - head);
#ifdef MADV_HUGEPAGE
    ::madvise(base + head, rounded, MADV_HUGEPAGE);
#endif
    return base + head;
}

void unmap(void *at, size_t bytes)
{
    ::munmap(at, roundUp(bytes));
}

quint64 read64(const char *at)
{
    quint64 word;
    std::memcpy(&word, at, 8);
    return word;
}

quint64 read32(const char *at)
{
    quint32 word;
    std::memcpy(&word, at, 4);
    return word;
}

// The two halves of the 128-bit product folded together.
quint64 mix(quint64 a, quint64 b)
{
    __extension__ using Wide = unsigned __int128;
    const Wide product = Wide(a) * b;
    return quint64(product) ^ quint64(product >> 64);
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

const unsigned char *readLength(const unsigned char *at, size_t &length)
{
    length = 0;
    for (unsigned shift = 0;; shift += 7) {
        const unsigned char byte = *at++;
        length |= size_t(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return at;
    }
}

} // namespace

SeenPasswords::SeenPasswords(quint64 expected)
{
    size_t capacity = 1024;
    while (capacity < (size_t(1) << 40) && quint64(capacity) * 3 < expected * 4)
        capacity *= 2;
    m_slots = static_cast<quint64 *>(mapZeroed(capacity * sizeof(quint64)));
    m_mask = capacity - 1;
}

SeenPasswords::~SeenPasswords()
{
    unmap(m_slots, (m_mask + 1) * sizeof(quint64));
    for (const Page &page : m_pages)
        unmap(page.bytes, page.size);
}

quint64 SeenPasswords::hash(const char *bytes, size_t length)
{
    // Sixteen bytes a step through a 64 x 64 -> 128-bit multiply; the tail
    // is read as two overlapping words. Every output bit depends on every
    // input bit: the low bits pick the slot, the high bits make the tag.
    constexpr quint64 k0 = 0xA0761D6478BD642Full, k1 = 0xE7037ED1A0B428DBull, k2 = 0x8EBC6AF09C88C6E3ull;
    quint64 h = k0 ^ length;
    while (length > 16) {
        h = mix(read64(bytes) ^ k1, read64(bytes + 8) ^ h);
        bytes += 16;
        length -= 16;
    }
    quint64 a = 0, b = 0;
    if (length >= 8) {
        a = read64(bytes);
        b = read64(bytes + length - 8);
    } else if (length >= 4) {
        a = read32(bytes);
        b = read32(bytes + length - 4);
    } else if (length > 0) {
        const auto *u = reinterpret_cast<const unsigned char *>(bytes);
        a = (quint64(u[0]) << 16) | (quint64(u[length >> 1]) << 8) | u[length - 1];
    }
    return mix(a ^ k2, b ^ h);
}

bool SeenPasswords::matches(quint64 slot, const char *bytes, size_t length) const
{
    const quint64 place = slot & kPlaceMask;
    size_t keptLength;
    const unsigned char *kept =
        readLength(m_pages[size_t(place >> kPageBits)].bytes + (place & (kPageSize - 1)), keptLength);
    return keptLength == length && std::memcmp(kept, bytes, length) == 0;
}

quint64 SeenPasswords::store(const char *bytes, size_t length)
{
    const size_t needed = lengthPrefixSize(length) + length;
    size_t page = m_page;
    if (needed > kPageSize) {
        // A password longer than a page gets a page of its own; the page
        // being filled stays the one being filled.
        m_pages.push_back({static_cast<unsigned char *>(mapZeroed(needed)), needed, 0});
        page = m_pages.size() - 1;
    } else if (m_pages.empty() || m_pages[m_page].used + needed > kPageSize) {
        m_pages.push_back({static_cast<unsigned char *>(mapZeroed(kPageSize)), kPageSize, 0});
        page = m_page = m_pages.size() - 1;
    }
    if (page >= (size_t(1) << (kPlaceBits - kPageBits)))
        throw std::bad_alloc();

    Page &into = m_pages[page];
    const size_t offset = into.used;
    unsigned char *at = into.bytes + offset;
    size_t rest = length;
    while (rest >= 0x80) {
        *at++ = static_cast<unsigned char>(rest | 0x80);
        rest >>= 7;
    }
    *at++ = static_cast<unsigned char>(rest);
    std::memcpy(at, bytes, length);
    into.used += needed;
    return (quint64(page) << kPageBits) | offset;
}

bool SeenPasswords::insert(const char *bytes, size_t length, quint64 hash)
{
    const quint64 tag = tagOf(hash);
    size_t slot = hash & m_mask;
    while (const quint64 entry = m_slots[slot]) {
        if ((entry & ~kPlaceMask) == tag && matches(entry, bytes, length))
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
    // Slots keep no hash bits below the tag, so the kept passwords are
    // hashed again, read page by page in the order they were kept.
    unmap(m_slots, (m_mask + 1) * sizeof(quint64));
    const size_t capacity = (m_mask + 1) * 2;
    m_slots = static_cast<quint64 *>(mapZeroed(capacity * sizeof(quint64)));
    m_mask = capacity - 1;
    for (size_t page = 0; page < m_pages.size(); ++page) {
        const unsigned char *begin = m_pages[page].bytes;
        const unsigned char *end = begin + m_pages[page].used;
        for (const unsigned char *at = begin; at < end;) {
            const size_t offset = size_t(at - begin);
            size_t length;
            const unsigned char *text = readLength(at, length);
            const quint64 h = hash(reinterpret_cast<const char *>(text), length);
            size_t slot = h & m_mask;
            while (m_slots[slot])
                slot = (slot + 1) & m_mask;
            m_slots[slot] = tagOf(h) | (quint64(page) << kPageBits) | offset;
            at = text + length;
        }
    }
}
