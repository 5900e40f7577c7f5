#pragma once

#include "core/generation/CompactStringList.h"
#include "core/generation/ResultList.h"

#include <QListView>

class QHeaderView;
class ResultListModel;

// The result list genList: a one-column list with a header that the
// generator fills through the ResultList interface and the result commands
// read. Rows and heading changes made while a batch runs reach the screen
// together, once the batch has handed control back (or at flush()).
//
// A list view with uniform row sizes and a header of its own, placed above
// the viewport: unlike a tree view, it keeps no record per row, so a
// million passwords cost the view about 4 bytes each.
class ResultListView final : public QListView, public ResultList
{
    Q_OBJECT

public:
    explicit ResultListView(QWidget *parent = nullptr);

    // ResultList
    int GetItemCount() const override;
    QString ItemText(int row, int column = 0) const override;
    void clearItems() override;
    void appendItem() override;
    void setItemText(int row, QStringView text) override;
    void setHeading(const ColumnHeading &heading) override;
    QStringView rowView(int row) const override;
    void showRow(int row) override;

    // Shows a batch's rows in place of the list's.
    void adoptRows(CompactStringList rows);
    // The selected row, or -1 when none is selected.
    int selectedRow() const;
    // Sets the caption of the column header: the text before the first ';'
    // of a header list such as "Generated Passwords;".
    void setColumnCaption(const QString &headers);
    QString columnCaption() const;

    // Shows the rows, heading and scroll position stored so far.
    void flush();

    QHeaderView *header() const { return m_header; }

protected:
    void updateGeometries() override;

private:
    void scheduleFlush();

    ResultListModel *m_model;
    QHeaderView *m_header;
    int m_rowToShow = -1;
    bool m_flushScheduled = false;
};
