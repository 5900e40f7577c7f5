#pragma once

#include "core/common/HugePageAllocator.h"

#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

// A list of texts stored back to back in large pages: a million short
// passwords cost their characters plus 12 bytes each, with no allocation per
// text and no copying as the list grows.
class CompactStringList
{
public:
    qsizetype size() const { return qsizetype(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }

    QStringView at(qsizetype row) const
    {
        const Row &r = m_rows[size_t(row)];
        return QStringView(m_pages[r.page].get() + r.offset, qsizetype(r.length));
    }

    void append(QStringView text);
    // Room for that many texts' entries, so that they are not moved as the list grows.
    void reserve(qsizetype rows) { m_rows.reserve(size_t(rows)); }
    // Replaces a text; a longer one moves to the end of the store.
    void replace(qsizetype row, QStringView text);
    void clear();

private:
    struct Row
    {
        quint32 page;
        quint32 offset;
        quint32 length;
    };

    static constexpr qsizetype kPageSize = qsizetype(1) << 20; // characters

    QStringView store(QStringView text, Row &row);

    struct PageDeleter
    {
        size_t characters = 0;
        void operator()(char16_t *page) const { HugePageAllocator<char16_t>().deallocate(page, characters); }
    };
    using Page = std::unique_ptr<char16_t[], PageDeleter>;
    static Page allocatePage(qsizetype characters)
    {
        return Page(HugePageAllocator<char16_t>().allocate(size_t(characters)), PageDeleter{size_t(characters)});
    }

    std::vector<Page> m_pages;
    std::vector<Row, HugePageAllocator<Row>> m_rows;
    qsizetype m_used = kPageSize; // characters used in the last page
};
