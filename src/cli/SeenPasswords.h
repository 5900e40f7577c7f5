#pragma once

#include "PasswordFingerprint.h"

#include <QtGlobal>

// The duplicate check of a stream: the fingerprints of the passwords written
// so far, in a table sized once for the run. Buckets of four 16-byte slots
// fill one cache line, so a lookup costs one memory access in all but a few
// cases however large the table is, and the table is never more than 80 %
// full: at most 20 bytes a password.
class SeenPasswords
{
public:
    // Room for `capacity` different fingerprints; no more may be inserted.
    explicit SeenPasswords(quint64 capacity);
    ~SeenPasswords();
    SeenPasswords(const SeenPasswords &) = delete;
    SeenPasswords &operator=(const SeenPasswords &) = delete;

    // The memory a table for `capacity` fingerprints takes.
    static quint64 bytesFor(quint64 capacity);

    // Starts loading a fingerprint's bucket into the cache.
    void prefetch(const Fingerprint &fingerprint) const { __builtin_prefetch(&m_buckets[bucketOf(fingerprint)]); }

    // Keeps the fingerprint and returns true, unless it was kept before:
    // then nothing changes and false is returned.
    bool insert(Fingerprint fingerprint);

    quint64 size() const { return m_count; }

private:
    struct alignas(64) Bucket
    {
        Fingerprint entries[4]; // filled in order; all zero is a free slot
    };
    static quint64 bucketsFor(quint64 capacity);
    size_t bucketOf(const Fingerprint &fingerprint) const
    {
        __extension__ using Wide = unsigned __int128;
        return size_t((Wide(fingerprint.high) * m_bucketCount) >> 64);
    }

    Bucket *m_buckets = nullptr; // zeroed memory from the kernel
    quint64 m_bucketCount = 0;
    quint64 m_count = 0;
};
