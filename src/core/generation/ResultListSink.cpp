#include "core/generation/ResultListSink.h"

#include "core/generation/PasswordStreamWorkers.h"
#include "core/generation/TextHash.h"

#include <bit>

namespace {

// How many passwords ahead a slot is fetched into the cache, and, further
// ahead, the hashes that say which slot: the chunk was written on another
// core, and the slot's address waits for its hash.
constexpr int kFetchAhead = 12;
constexpr int kFetchHashesAhead = 64;

} // namespace

ResultListSink::ResultListSink(ResultList &list, ColumnHeading progress, qsizetype expected, BatchControl *control)
    : m_list(list), m_heading(std::move(progress)), m_expected(expected), m_control(control)
{}

ResultListSink::~ResultListSink()
{
    if (m_slots)
        Slots().deallocate(m_slots, m_mask + 1);
}

qint64 ResultListSink::take(const PasswordChunk &chunk, qint64 room)
{
    if (m_control && m_control->stop.load(std::memory_order_relaxed))
        return -1;
    if (!m_slots) {
        // Made at the first chunk for the rows the batch may list, and the rows listed already.
        const size_t rows = size_t(qMax<qsizetype>(m_expected, m_list.GetItemCount()));
        size_t capacity = 64;
        while (capacity < rows * 2 && capacity < (size_t(1) << 32))
            capacity *= 2;
        rebuild(capacity);
    }
    qint64 taken = 0;
    for (int i = 0; i < chunk.attempts && taken < room; ++i) {
        if (i % 8 == 0 && i + kFetchHashesAhead < chunk.attempts)
            __builtin_prefetch(&chunk.hashes16[size_t(i + kFetchHashesAhead)]);
        if (i + kFetchAhead < chunk.attempts)
            __builtin_prefetch(slotOf(chunk.hash16(i + kFetchAhead)));
        if (chunk.isEmpty(i))
            continue;
        const QStringView text = chunk.text(i);
        const quint64 hash = chunk.hash16(i);
        quint32 *slot = find(text, hash);
        if (*slot)
            continue;
        if ((m_count + 1) * 2 > m_mask + 1) {
            rebuild((m_mask + 1) * 2);
            slot = find(text, hash);
        }
        *slot = tagOf(hash) | (quint32(m_list.GetItemCount()) + 1);
        ++m_count;
        add(text);
        ++taken;
    }
    if (m_control)
        m_control->rows.store(m_list.GetItemCount(), std::memory_order_relaxed);
    return taken;
}

void ResultListSink::add(QStringView text)
{
    // The heading counts the row about to be added.
    const int row = m_list.GetItemCount();
    m_heading.done = row + 1;
    m_list.setHeading(m_heading);
    m_list.appendRow(text);
    m_list.showRow(row);
}

quint32 *ResultListSink::find(QStringView text, quint64 hash)
{
    const quint32 tag = tagOf(hash);
    quint32 *const end = m_slots + m_mask + 1;
    for (quint32 *slot = slotOf(hash);; slot = slot + 1 == end ? m_slots : slot + 1) {
        const quint32 entry = *slot;
        if (!entry || ((entry & ~m_rowMask) == tag && m_list.rowView(int(rowOf(entry))) == text))
            return slot;
    }
}

void ResultListSink::rebuild(size_t capacity)
{
    if (m_slots)
        Slots().deallocate(m_slots, m_mask + 1);
    m_slots = Slots().allocateZeroed(capacity);
    m_mask = capacity - 1;
    m_count = 0;
    m_rowMask = quint32((quint64(1) << std::countr_zero(capacity)) - 1);
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        const quint64 hash = textHash16(m_list.rowView(row));
        quint32 *slot = slotOf(hash);
        while (*slot)
            slot = slot + 1 == m_slots + capacity ? m_slots : slot + 1;
        *slot = tagOf(hash) | (quint32(row) + 1);
        ++m_count;
    }
}
