#pragma once

#include "core/common/HugePageAllocator.h"
#include "core/generation/PasswordStream.h"
#include "core/generation/ResultList.h"

#include <atomic>
#include <vector>

// A batch seen from another thread (the window's): how far it is, and a
// way to end it early.
struct BatchControl
{
    std::atomic<qint64> rows{0};   // rows listed so far
    std::atomic<bool> stop{false}; // set: the batch ends after the chunk at hand
};

// The result list's end of the stream. A password is a duplicate when its
// text equals a listed row's, compared exactly: a table of (hash tag, row)
// pairs, 8 bytes a row, finds the rows to compare without scanning the list.
class ResultListSink final : public PasswordSink
{
public:
    // expected: the rows the batch may add (the table grows past it).
    ResultListSink(ResultList &list, ColumnHeading progress, qsizetype expected, BatchControl *control);

    Needs needs() const override { return {false, true, true}; }
    qint64 take(const PasswordChunk &chunk, qint64 room) override;

private:
    // Lists the text unless an equal one is listed already; true when listed.
    bool list(QStringView text, quint64 hash);
    static quint32 tagOf(quint64 hash) { return quint32(hash >> 32); }
    size_t slotOf(quint32 tag) const { return size_t(tag) & m_mask; }
    void grow();

    ResultList &m_list;
    ColumnHeading m_heading;
    BatchControl *const m_control;
    std::vector<quint64, HugePageAllocator<quint64>> m_slots; // tag << 32 | row + 1; 0 is free
    size_t m_mask = 0;
    size_t m_count = 0;
};
