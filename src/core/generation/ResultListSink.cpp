#include "core/generation/ResultListSink.h"

#include "core/generation/PasswordStreamWorkers.h"

namespace {

// Slots of the table are fetched this many passwords ahead of their check.
constexpr int kPrefetchAhead = 8;

} // namespace

ResultListSink::ResultListSink(ResultList &list, ColumnHeading progress, qsizetype expected, BatchControl *control)
    : m_list(list), m_heading(std::move(progress)), m_control(control)
{
    size_t capacity = 64;
    while (capacity < size_t(expected) * 2 && capacity < (size_t(1) << 31))
        capacity *= 2;
    m_slots.assign(capacity, 0);
    m_mask = capacity - 1;
}

qint64 ResultListSink::take(const PasswordChunk &chunk, qint64 room)
{
    if (m_control && m_control->stop.load(std::memory_order_relaxed))
        return -1;
    qint64 taken = 0;
    for (int i = 0; i < chunk.attempts && taken < room; ++i) {
        if (i + kPrefetchAhead < chunk.attempts)
            __builtin_prefetch(&m_slots[slotOf(tagOf(chunk.hashes[size_t(i + kPrefetchAhead)]))]);
        if (!chunk.dropped(i) && list(chunk.text(i), chunk.hashes[size_t(i)]))
            ++taken;
    }
    if (m_control)
        m_control->rows.store(m_list.GetItemCount(), std::memory_order_relaxed);
    return taken;
}

bool ResultListSink::list(QStringView text, quint64 hash)
{
    const quint32 tag = tagOf(hash);
    size_t slot = slotOf(tag);
    while (const quint64 entry = m_slots[slot]) {
        if (quint32(entry >> 32) == tag && m_list.ItemText(int(quint32(entry) - 1)) == text)
            return false;
        slot = (slot + 1) & m_mask;
    }
    // The heading counts the row about to be added.
    const int row = m_list.GetItemCount();
    m_heading.done = row + 1;
    m_list.setHeading(m_heading);
    m_list.appendRow(text);
    m_list.showRow(row);
    m_slots[slot] = (quint64(tag) << 32) | (quint64(row) + 1);
    if (++m_count * 2 > m_slots.size())
        grow();
    return true;
}

void ResultListSink::grow()
{
    decltype(m_slots) old;
    old.swap(m_slots);
    m_slots.assign(old.size() * 2, 0);
    m_mask = m_slots.size() - 1;
    for (const quint64 entry : old) {
        if (!entry)
            continue;
        size_t slot = slotOf(quint32(entry >> 32));
        while (m_slots[slot])
            slot = (slot + 1) & m_mask;
        m_slots[slot] = entry;
    }
}
