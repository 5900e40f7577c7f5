#pragma once

#include "core/generation/PasswordFingerprint.h"

#include <QtGlobal>

#include <vector>

// The duplicate check of a stream: the fingerprints of the passwords written
// so far, in a table sized once for the run. Buckets of four 16-byte slots
// fill one cache line, and the table is never more than 90 % full: under
// 18 bytes a password. The table is split into shards by the top bits of a
// fingerprint, each probed on its own, so that one thread a shard can check
// at the same time. Equal fingerprints meet in one shard and one bucket, so
// a caller that feeds fingerprints in ascending order of the top bits of
// their high half walks the memory in one direction.
class SeenPasswords
{
public:
    // Room for `capacity` different fingerprints; shards: 1, 2 or 4.
    SeenPasswords(quint64 capacity, int shards);
    ~SeenPasswords();
    SeenPasswords(const SeenPasswords &) = delete;
    SeenPasswords &operator=(const SeenPasswords &) = delete;

    // The memory a table for `capacity` fingerprints takes.
    static quint64 bytesFor(quint64 capacity, int shards);

    static int shardOf(const Fingerprint &fingerprint, int shards)
    {
        return shards == 1 ? 0 : int(fingerprint.high >> (64 - shardBits(shards)));
    }

    // Starts loading a fingerprint's bucket into the cache.
    void prefetch(const Fingerprint &fingerprint) const { __builtin_prefetch(bucketOf(fingerprint)); }

    // Keeps the fingerprint and returns true, unless it was kept before:
    // then nothing changes and false is returned. Calls for one shard must
    // not overlap; calls for different shards may.
    bool insert(Fingerprint fingerprint);

    quint64 size() const;

private:
    struct alignas(64) Bucket
    {
        Fingerprint entries[4]; // filled in order; all zero is a free slot
    };
    struct Shard
    {
        Bucket *begin;
        quint64 count;
    };
    static int shardBits(int shards) { return shards == 4 ? 2 : shards == 2 ? 1 : 0; }
    static quint64 bucketsFor(quint64 capacity);
    Bucket *bucketOf(const Fingerprint &fingerprint) const
    {
        __extension__ using Wide = unsigned __int128;
        const quint64 withinShard = fingerprint.high << m_shardBits;
        return m_shards[size_t(shardOf(fingerprint, int(m_shards.size())))].begin +
               size_t((Wide(withinShard) * m_bucketsPerShard) >> 64);
    }

    Bucket *m_buckets = nullptr; // zeroed memory from the kernel, shard after shard
    quint64 m_bucketsPerShard = 0;
    int m_shardBits = 0;
    std::vector<Shard> m_shards;
};
