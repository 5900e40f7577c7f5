#pragma once

#include "core/generation/CompactStringList.h"
#include "core/generation/ResultList.h"

#include <utility>

// A result list held in memory: what the command-line run and the tests
// generate into.
class MemoryResultList final : public ResultList
{
public:
    int GetItemCount() const override { return int(m_rows.size()); }
    QString ItemText(int row, int column = 0) const override;
    void clearItems() override
    {
        m_rows.clear();
        m_shownRow = -1;
    }
    void appendItem() override { m_rows.append({}); }
    void setItemText(int row, QStringView text) override;
    void appendRow(QStringView text) override { m_rows.append(text); }
    void reserveRows(qsizetype rows) override { m_rows.reserve(rows); }

    void setHeading(const ColumnHeading &heading) override;
    void showRow(int row) override;

    QString headingText() const { return m_heading.text(); }
    const ColumnHeading &heading() const { return m_heading; }
    // The last row asked to be shown, or -1 when none existed.
    int shownRow() const { return m_shownRow; }
    QStringView rowView(int row) const override { return m_rows.at(row); }
    // The rows, handed over whole; the list is left empty.
    CompactStringList takeRows()
    {
        m_shownRow = -1;
        return std::exchange(m_rows, {});
    }

private:
    CompactStringList m_rows;
    ColumnHeading m_heading;
    int m_shownRow = -1;
};
