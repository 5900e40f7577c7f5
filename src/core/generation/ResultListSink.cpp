#include "core/generation/ResultListSink.h"

#include "core/generation/PasswordStreamWorkers.h"

#include <cstring>

namespace {

// A 64-bit hash of a text: eight bytes at a time, multiply-xorshift mixing,
// fast on short texts and well spread in the upper half.
quint64 textHash(QStringView text)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.utf16());
    size_t remaining = size_t(text.size()) * sizeof(char16_t);
    quint64 h = 0x9E3779B97F4A7C15ull ^ remaining;
    while (remaining >= 8) {
        quint64 word;
        std::memcpy(&word, bytes, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
        bytes += 8;
        remaining -= 8;
    }
    if (remaining) {
        quint64 word = 0;
        std::memcpy(&word, bytes, remaining);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
    }
    h ^= h >> 32;
    h *= 0x94D049BB133111EBull;
    h ^= h >> 29;
    return h;
}

} // namespace

ResultListSink::ResultListSink(ResultList &list, ColumnHeading progress, qsizetype expected, BatchControl *control)
    : m_list(list), m_heading(std::move(progress)), m_expected(expected), m_control(control)
{}

qint64 ResultListSink::take(const PasswordChunk &chunk, qint64 room)
{
    if (m_control && m_control->stop.load(std::memory_order_relaxed))
        return -1;
    qint64 taken = 0;
    for (int i = 0; i < chunk.attempts && taken < room; ++i) {
        if (chunk.isEmpty(i))
            continue;
        const QStringView text = chunk.text(i);
        if (!chunk.isNew.empty() && !chunk.isNew[size_t(i)]) {
            if (chunk.line(i).size() <= kWholeFingerprintBytes + 1 || isListed(text, textHash(text)))
                continue;
        }
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
    if (!m_slots.empty())
        index(quint32(row), textHash(text));
}

bool ResultListSink::isListed(QStringView text, quint64 hash)
{
    if (m_slots.empty()) {
        const size_t rows = size_t(qMax<qsizetype>(m_expected, m_list.GetItemCount()));
        size_t capacity = 64;
        while (capacity < rows * 2 && capacity < (size_t(1) << 31))
            capacity *= 2;
        m_slots.assign(capacity, 0);
        m_mask = capacity - 1;
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            index(quint32(row), textHash(m_list.ItemText(row)));
    }
    const quint32 tag = tagOf(hash);
    for (size_t slot = slotOf(tag); const quint64 entry = m_slots[slot]; slot = (slot + 1) & m_mask) {
        if (quint32(entry >> 32) == tag && m_list.ItemText(int(quint32(entry) - 1)) == text)
            return true;
    }
    return false;
}

void ResultListSink::index(quint32 row, quint64 hash)
{
    if ((m_count + 1) * 2 > m_slots.size()) {
        decltype(m_slots) old;
        old.swap(m_slots);
        m_slots.assign(old.size() * 2, 0);
        m_mask = m_slots.size() - 1;
        m_count = 0;
        for (const quint64 entry : old) {
            if (entry)
                index(quint32(entry) - 1, quint64(entry >> 32) << 32);
        }
    }
    size_t slot = slotOf(tagOf(hash));
    while (m_slots[slot])
        slot = (slot + 1) & m_mask;
    m_slots[slot] = (quint64(tagOf(hash)) << 32) | (quint64(row) + 1);
    ++m_count;
}
