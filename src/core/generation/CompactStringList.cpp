#include "core/generation/CompactStringList.h"

#include <cstring>

QStringView CompactStringList::store(QStringView text, Row &row)
{
    const qsizetype length = text.size();
    if (length > kPageSize) {
        // A text larger than a page gets a page of its own, before the last
        // one so that the last page keeps filling.
        Page page = allocatePage(length);
        std::memcpy(page.get(), text.utf16(), size_t(length) * sizeof(char16_t));
        const auto index = m_pages.empty() ? 0 : m_pages.size() - 1;
        m_pages.insert(m_pages.begin() + qsizetype(index), std::move(page));
        for (Row &other : m_rows) {
            if (other.page >= index)
                ++other.page;
        }
        row = {quint32(index), 0, quint32(length)};
        return QStringView(m_pages[index].get(), length);
    }
    if (m_pages.empty() || m_used + length > kPageSize) {
        m_pages.push_back(allocatePage(kPageSize));
        m_used = 0;
    }
    char16_t *target = m_pages.back().get() + m_used;
    if (length)
        std::memcpy(target, text.utf16(), size_t(length) * sizeof(char16_t));
    row = {quint32(m_pages.size() - 1), quint32(m_used), quint32(length)};
    m_used += length;
    return QStringView(target, length);
}

void CompactStringList::append(QStringView text)
{
    Row row{};
    store(text, row);
    m_rows.push_back(row);
}

void CompactStringList::replace(qsizetype row, QStringView text)
{
    Row &r = m_rows[size_t(row)];
    if (text.size() <= qsizetype(r.length)) {
        if (!text.isEmpty())
            std::memcpy(m_pages[r.page].get() + r.offset, text.utf16(), size_t(text.size()) * sizeof(char16_t));
        r.length = quint32(text.size());
        return;
    }
    Row moved{};
    store(text, moved);
    m_rows[size_t(row)] = moved;
}

void CompactStringList::clear()
{
    m_pages.clear();
    m_rows.clear();
    decltype(m_rows)().swap(m_rows);
    m_used = kPageSize;
}
