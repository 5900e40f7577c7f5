#pragma once

#include "core/generation/CompactStringList.h"
#include "core/generation/ResultList.h"

#include <QListView>

#include <utility>

class QHeaderView;
class ResultListModel;

// The result list genList: a one-column list with a header that the
// generator fills through the ResultList interface and the result commands
// read. Rows and heading changes made while a batch runs reach the screen
// together, once the batch has handed control back (or at flush()).
//
// A list view with a header of its own, placed above the viewport, whose
// rows all have one height: where a row lies is its number times that
// height, so the view keeps nothing per row and lays nothing out when a
// million rows arrive, and it paints only the rows in sight. (The list
// mode's own layout visits every row and keeps two ints for each.)
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

    QRect visualRect(const QModelIndex &index) const override;
    QModelIndex indexAt(const QPoint &point) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

protected:
    void updateGeometries() override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void scheduleFlush();

    // The height of every row, measured on the first row once a layout asks.
    int rowHeight() const;
    // The rows touching the viewport's lines from top to bottom, clamped to the list.
    std::pair<int, int> rowsBetween(int top, int bottom) const;

    ResultListModel *m_model;
    mutable int m_rowHeight = 0;
    QHeaderView *m_header;
    int m_rowToShow = -1;
    bool m_flushScheduled = false;
};
