#include "core/generation/SeenPasswords.h"

#include "core/common/HugePageAllocator.h"

#include <new>

namespace {

using Pages = HugePageAllocator<std::byte>;

} // namespace

quint64 SeenPasswords::bucketsFor(quint64 capacity)
{
    // Four slots a bucket at most 90 % full: 5/18 of a bucket a fingerprint.
    return qMax<quint64>(1, (capacity * 5 + 17) / 18);
}

quint64 SeenPasswords::bytesFor(quint64 capacity, int shards)
{
    const quint64 perShard = (capacity + quint64(shards) - 1) / quint64(shards);
    return Pages::roundUp(bucketsFor(perShard) * quint64(shards) * sizeof(Bucket));
}

SeenPasswords::SeenPasswords(quint64 capacity, int shards)
    : m_bucketsPerShard(bucketsFor((capacity + quint64(shards) - 1) / quint64(shards))), m_shardBits(shardBits(shards))
{
    if (m_bucketsPerShard > quint64(SIZE_MAX) / sizeof(Bucket) / quint64(shards))
        throw std::bad_alloc();
    m_buckets =
        reinterpret_cast<Bucket *>(Pages().allocateZeroed(m_bucketsPerShard * quint64(shards) * sizeof(Bucket)));
    for (int shard = 0; shard < shards; ++shard)
        m_shards.push_back({m_buckets + m_bucketsPerShard * quint64(shard), 0});
}

SeenPasswords::~SeenPasswords()
{
    Pages().deallocate(reinterpret_cast<std::byte *>(m_buckets), m_bucketsPerShard * m_shards.size() * sizeof(Bucket));
}

quint64 SeenPasswords::size() const
{
    quint64 total = 0;
    for (const Shard &shard : m_shards)
        total += shard.count;
    return total;
}

bool SeenPasswords::insert(Fingerprint fingerprint)
{
    if (fingerprint == Fingerprint())
        fingerprint.low = 1; // all zero marks a free slot
    Shard &shard = m_shards[size_t(shardOf(fingerprint, int(m_shards.size())))];
    if (shard.count == m_bucketsPerShard * 4)
        return false; // full, which keyed fingerprints never make it: dropping lets no duplicate through
    // Linear probing bucket by bucket within the shard; slots are never
    // emptied, so the first free slot ends the search.
    Bucket *const end = shard.begin + m_bucketsPerShard;
    for (Bucket *bucket = bucketOf(fingerprint);; bucket = bucket + 1 == end ? shard.begin : bucket + 1) {
        for (Fingerprint &slot : bucket->entries) {
            if (slot == fingerprint)
                return false;
            if (slot == Fingerprint()) {
                slot = fingerprint;
                ++shard.count;
                return true;
            }
        }
    }
}
