#include "core/generation/MemoryResultList.h"

QString MemoryResultList::ItemText(int row, int column) const
{
    if (column != 0 || row < 0 || row >= GetItemCount())
        return {};
    return m_rows.at(row).toString();
}

void MemoryResultList::setItemText(int row, QStringView text)
{
    if (row >= 0 && row < GetItemCount())
        m_rows.replace(row, text);
}

void MemoryResultList::setHeading(const ColumnHeading &heading)
{
    // The prefix is the same text all batch long; only the counts move.
    if (heading.prefix.constData() != m_heading.prefix.constData())
        m_heading.prefix = heading.prefix;
    m_heading.done = heading.done;
    m_heading.total = heading.total;
}

void MemoryResultList::showRow(int row)
{
    if (row >= 0 && row < GetItemCount())
        m_shownRow = row;
}
