#include "SeenPasswords.h"

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

} // namespace

quint64 SeenPasswords::bucketsFor(quint64 capacity)
{
    // Four slots a bucket at most 80 % full: 5/16 of a bucket a fingerprint.
    return qMax<quint64>(1, (capacity * 5 + 15) / 16);
}

quint64 SeenPasswords::bytesFor(quint64 capacity)
{
    return roundUp(bucketsFor(capacity) * sizeof(Bucket));
}

SeenPasswords::SeenPasswords(quint64 capacity) : m_bucketCount(bucketsFor(capacity))
{
    if (m_bucketCount > quint64(SIZE_MAX) / sizeof(Bucket))
        throw std::bad_alloc();
    m_buckets = static_cast<Bucket *>(mapZeroed(m_bucketCount * sizeof(Bucket)));
}

SeenPasswords::~SeenPasswords()
{
    ::munmap(m_buckets, roundUp(m_bucketCount * sizeof(Bucket)));
}

bool SeenPasswords::insert(Fingerprint fingerprint)
{
    Q_ASSERT(m_count < m_bucketCount * 4); // a full table would have no free slot to end the search
    if (fingerprint == Fingerprint())
        fingerprint.low = 1; // all zero marks a free slot
    // Linear probing bucket by bucket; slots are never emptied, so the first
    // free slot ends the search.
    for (size_t bucket = bucketOf(fingerprint);; bucket = bucket + 1 == m_bucketCount ? 0 : bucket + 1) {
        for (Fingerprint &slot : m_buckets[bucket].entries) {
            if (slot == fingerprint)
                return false;
            if (slot == Fingerprint()) {
                slot = fingerprint;
                ++m_count;
                return true;
            }
        }
    }
}
