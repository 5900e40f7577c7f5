#pragma once

#include "core/common/HugePageAllocator.h"
#include "core/generation/PasswordStream.h"
#include "core/generation/ResultList.h"

#include <atomic>

// A batch seen from another thread (the window's): how far it is, and a
// way to end it early.
struct BatchControl
{
    std::atomic<qint64> rows{0};   // rows listed so far
    std::atomic<bool> stop{false}; // set: the batch ends after the chunk at hand
};

// The result list's end of the stream. It recognises duplicates itself: a
// password is a duplicate when its text equals a listed row's, compared
// exactly. The rows are found through an open-addressing table, at most half
// full, whose 32-bit slots hold a row and as many top bits of the text's
// hash as the row leaves room for (11 with a million rows): 8 MB for a
// million rows. The hashes come with the chunk, made on the threads that
// made the passwords, so this thread only probes the table, fetched ahead,
// and compares a row only when the stored bits match.
class ResultListSink final : public PasswordSink
{
public:
    // expected: the rows the batch may add (the table grows past it).
    ResultListSink(ResultList &list, ColumnHeading progress, qsizetype expected, BatchControl *control);
    ~ResultListSink() override;
    ResultListSink(const ResultListSink &) = delete;
    ResultListSink &operator=(const ResultListSink &) = delete;

    Needs needs() const override { return {false, true, true}; }
    qint64 take(const PasswordChunk &chunk, qint64 room) override;

private:
    using Slots = HugePageAllocator<quint32>;
    void add(QStringView text);
    // The slot the text is listed in, or the free slot where it would go.
    quint32 *find(QStringView text, quint64 hash);
    // A table of `capacity` slots (a power of two) holding every listed row.
    void rebuild(size_t capacity);
    // The top bits of the hash above those the slot's row takes.
    quint32 tagOf(quint64 hash) const { return quint32(hash >> 32) & ~m_rowMask; }
    quint32 *slotOf(quint64 hash) const { return m_slots + (size_t(hash) & m_mask); }
    quint32 rowOf(quint32 entry) const { return (entry & m_rowMask) - 1; }

    ResultList &m_list;
    ColumnHeading m_heading;
    const qsizetype m_expected;
    BatchControl *const m_control;
    quint32 *m_slots = nullptr; // the tag | row + 1; 0 is free
    size_t m_mask = 0;
    size_t m_count = 0;
    quint32 m_rowMask = 0; // the low bits of a slot, log2 of the capacity: row + 1
};
