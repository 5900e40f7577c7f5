#include "window/results/ResultListModel.h"

void ResultListModel::setRowText(int row, QStringView text)
{
    m_rows.replace(row, text);
    if (row < m_announced) {
        const QModelIndex changed = index(row);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
}

void ResultListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_announced = 0;
    endResetModel();
}

void ResultListModel::adopt(CompactStringList rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_announced = m_rows.size();
    endResetModel();
}

void ResultListModel::setHeading(const ColumnHeading &heading)
{
    // During a batch the prefix stays the same text; only the counts move.
    if (heading.prefix.constData() != m_heading.prefix.constData() || heading.prefix.size() != m_heading.prefix.size())
        m_heading.prefix = heading.prefix;
    m_heading.done = heading.done;
    m_heading.total = heading.total;
    m_headingChanged = true;
}

void ResultListModel::commit()
{
    if (m_rows.size() > m_announced) {
        beginInsertRows({}, int(m_announced), int(m_rows.size() - 1));
        m_announced = m_rows.size();
        endInsertRows();
    }
    if (m_headingChanged) {
        m_headingChanged = false;
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    }
}

int ResultListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_announced);
}

QVariant ResultListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() != 0 || index.row() >= m_announced)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_rows.at(index.row()).toString();
    if (role == Qt::FontRole)
        return m_rowFont;
    return {};
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The header elides a long heading; its tooltip shows it whole.
    if (section != 0 || orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return m_heading.text();
}
