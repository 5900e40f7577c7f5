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

// The result list's end of the stream, which it runs with the duplicate
// check of keyedFingerprint. A password is a duplicate when its text equals
// a listed row's, compared exactly. A password new to the check is new; one
// the check has seen is a duplicate when its fingerprint holds all of it
// (kWholeFingerprintBytes), and otherwise compared with the rows through a
// table of (hash tag, row), 8 bytes a row, made the first time it is needed:
// most batches never need it.
class ResultListSink final : public PasswordSink
{
public:
    // expected: the rows the batch may add (the table grows past it).
    ResultListSink(ResultList &list, ColumnHeading progress, qsizetype expected, BatchControl *control);

    Needs needs() const override { return {false, true}; }
    qint64 take(const PasswordChunk &chunk, qint64 room) override;

private:
    void add(QStringView text);
    // Whether a listed row holds the text.
    bool isListed(QStringView text, quint64 hash);
    void index(quint32 row, quint64 hash);
    static quint32 tagOf(quint64 hash) { return quint32(hash >> 32); }
    size_t slotOf(quint32 tag) const { return size_t(tag) & m_mask; }

    ResultList &m_list;
    ColumnHeading m_heading;
    const qsizetype m_expected;
    BatchControl *const m_control;
    std::vector<quint64, HugePageAllocator<quint64>> m_slots; // tag << 32 | row + 1; 0 is free
    size_t m_mask = 0;
    size_t m_count = 0;
};
