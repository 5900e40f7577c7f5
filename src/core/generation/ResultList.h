#pragma once

#include "core/generation/ItemList.h"

// The heading of the result list's column. While a batch runs it reads
// "<prefix> [n/total]"; the parts are kept apart so that a list can show the
// progress without formatting a text for every password.
struct ColumnHeading
{
    QString prefix;
    qint64 done = -1; // -1: no progress part, the heading is the prefix alone
    qint64 total = 0;

    QString text() const
    {
        if (done < 0)
            return prefix;
        return prefix + QStringLiteral(" [%1/%2]").arg(done).arg(total);
    }
};

// The result list the generator fills: the operations of a list plus its
// column heading and scrolling a row into view.
class ResultList : public ItemList
{
public:
    virtual void setHeading(const ColumnHeading &heading) = 0;
    // Appends a row holding the text.
    virtual void appendRow(QStringView text)
    {
        appendItem();
        setItemText(GetItemCount() - 1, text);
    }
    // A row's text without a copy; valid until the list changes.
    virtual QStringView rowView(int row) const = 0;
    // Scrolls the row into view; a row that does not exist is ignored.
    virtual void showRow(int row) = 0;
    // Room for that many rows in all, when the list can make it ahead.
    virtual void reserveRows(qsizetype rows) { Q_UNUSED(rows); }
};
