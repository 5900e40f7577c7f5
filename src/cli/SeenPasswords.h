#pragma once

#include <QtGlobal>

#include <vector>

// The passwords a run has already written, for the exact duplicate check of
// long streams. Each password is kept once as its UTF-8 bytes behind a
// length prefix, in 2 MiB pages, and an open-addressing table of 8-byte
// slots finds it: a slot holds a 23-bit tag from the hash and where the
// bytes lie, so no row list is needed and a million short passwords cost
// about 20 MB of text plus a 16 MB table. The bytes are compared only when a
// tag matches, so the answer is exact.
class SeenPasswords
{
public:
    // expected: how many passwords the run may keep (the table grows past it).
    explicit SeenPasswords(quint64 expected);
    ~SeenPasswords();
    SeenPasswords(const SeenPasswords &) = delete;
    SeenPasswords &operator=(const SeenPasswords &) = delete;

    static quint64 hash(const char *bytes, size_t length);

    // Starts loading a hash's first slot into the cache.
    void prefetch(quint64 hash) const { __builtin_prefetch(&m_slots[hash & m_mask]); }

    // Keeps the password and returns true, unless an equal one was kept
    // before: then nothing changes and false is returned.
    bool insert(const char *bytes, size_t length, quint64 hash);

    quint64 size() const { return m_count; }

private:
    static constexpr unsigned kPageBits = 21;
    static constexpr size_t kPageSize = size_t(1) << kPageBits;
    static constexpr unsigned kPlaceBits = 40; // page number and offset in the page
    static constexpr quint64 kPlaceMask = (quint64(1) << kPlaceBits) - 1;
    static constexpr quint64 kUsed = quint64(1) << 63;

    static quint64 tagOf(quint64 hash) { return kUsed | ((hash >> 41) << kPlaceBits); }
    bool matches(quint64 slot, const char *bytes, size_t length) const;
    quint64 store(const char *bytes, size_t length);
    void grow();

    struct Page
    {
        unsigned char *bytes;
        size_t size;
        size_t used;
    };

    quint64 *m_slots = nullptr; // zeroed memory: 0 is a free slot
    size_t m_mask = 0;
    quint64 m_count = 0;
    std::vector<Page> m_pages;
    size_t m_page = 0; // the page being filled, when m_pages holds one
};
