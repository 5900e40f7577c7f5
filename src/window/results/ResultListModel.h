#pragma once

#include "core/generation/CompactStringList.h"
#include "core/generation/ResultList.h"

#include <QAbstractListModel>
#include <QFont>

// The rows of the result list: one password per row in one column, with the
// column heading. Rows are added to the store at once but announced to
// views in bulk (commit), so a batch of a million rows costs one insertion
// for the view, not a million; the heading is formatted only when a view
// asks for it.
class ResultListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    const CompactStringList &rows() const { return m_rows; }

    void appendRow() { m_rows.append({}); }
    // The font the rows are shown in; the heading keeps the view's font.
    void setRowFont(const QFont &font) { m_rowFont = font; }
    void setRowText(int row, QStringView text);
    void clear();
    // Takes the rows of a batch made elsewhere in place of its own.
    void adopt(CompactStringList rows);
    void setHeading(const ColumnHeading &heading);
    const ColumnHeading &heading() const { return m_heading; }
    // Announces the rows and the heading stored since the last commit.
    void commit();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    CompactStringList m_rows;
    qsizetype m_announced = 0;
    ColumnHeading m_heading;
    bool m_headingChanged = false;
    QFont m_rowFont;
};
