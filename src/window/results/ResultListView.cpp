#include "window/results/ResultListView.h"

#include "window/results/PasswordRowDelegate.h"
#include "window/results/ResultListModel.h"

#include "core/common/RecentMappings.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

#include <limits>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// The list's header. Its one section fills the list and shows a heading too
// long for it elided (the styles draw it whole, cut at both ends); the
// heading's tooltip shows it whole.
class ListHeader final : public QHeaderView
{
public:
    explicit ListHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionResizeMode(QHeaderView::Stretch);
    }

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override
    {
        QHeaderView::initStyleOptionForIndex(option, logicalIndex);
        const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, option, this);
        option->text =
            option->fontMetrics.elidedText(option->text, Qt::ElideRight, sectionSize(logicalIndex) - margins);
    }
};

} // namespace

ResultListView::ResultListView(QWidget *parent)
    : QListView(parent), m_model(new ResultListModel(this)), m_header(new ListHeader(this))
{
    setModel(m_model);
    setItemDelegate(new PasswordRowDelegate(this));
    setUniformItemSizes(true);
    m_header->setModel(m_model);
    m_header->setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setTextElideMode(Qt::ElideRight);
    m_header->setSectionsClickable(false);
    // Passwords read best in a fixed-width font (l, 1 and I stay apart), a
    // point larger than the window's text: they are read character by
    // character, often to be typed elsewhere.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(qMax(fixed.pointSizeF(), font().pointSizeF() + 1));
    m_model->setRowFont(fixed);
}

int ResultListView::GetItemCount() const
{
    return int(m_model->rows().size());
}

QString ResultListView::ItemText(int row, int column) const
{
    if (column != 0 || row < 0 || row >= GetItemCount())
        return {};
    return m_model->rows().at(row).toString();
}

QStringView ResultListView::rowView(int row) const
{
    return m_model->rows().at(row);
}

void ResultListView::clearItems()
{
    const bool hadRows = m_model->rowCount() > 0;
    m_model->clear();
    m_rowToShow = -1;
    // The C library keeps the freed top of its heap unless asked, and the
    // last batch's arrays are kept a few seconds for the next one.
    if (hadRows) {
        RecentMappings::releaseAll();
#if defined(__GLIBC__)
        ::malloc_trim(0);
#endif
    }
}

void ResultListView::adoptRows(CompactStringList rows)
{
    m_model->adopt(std::move(rows));
    m_rowToShow = -1;
}

void ResultListView::appendItem()
{
    m_model->appendRow();
    scheduleFlush();
}

void ResultListView::setItemText(int row, QStringView text)
{
    if (row >= 0 && row < GetItemCount())
        m_model->setRowText(row, text);
}

void ResultListView::setHeading(const ColumnHeading &heading)
{
    m_model->setHeading(heading);
    scheduleFlush();
}

void ResultListView::showRow(int row)
{
    if (row >= 0 && row < GetItemCount()) {
        m_rowToShow = row;
        scheduleFlush();
    }
}

int ResultListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ResultListView::setColumnCaption(const QString &headers)
{
    m_model->setHeading({headers.section(QLatin1Char(';'), 0, 0)});
    m_model->commit();
}

QString ResultListView::columnCaption() const
{
    return m_model->heading().text();
}

void ResultListView::flush()
{
    m_model->commit();
    if (m_rowToShow >= 0 && m_rowToShow < m_model->rowCount())
        scrollTo(m_model->index(m_rowToShow));
    m_rowToShow = -1;
}

void ResultListView::updateGeometries()
{
    // The header sits in a margin above the viewport, as a tree view's does.
    const int height = m_header->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - height, area.width(), height);
    const int step = rowHeight();
    const qint64 content = qint64(m_model->rowCount()) * step;
    verticalScrollBar()->setSingleStep(step);
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setRange(
        0, int(qBound(qint64(0), content - area.height(), qint64(std::numeric_limits<int>::max()))));
    horizontalScrollBar()->setRange(0, 0);
    // The item view's own part (the list mode's would lay out every row).
    QAbstractItemView::updateGeometries();
}

void ResultListView::doItemsLayout()
{
    m_rowHeight = 0;                    // the font or the style may have changed
    QAbstractItemView::doItemsLayout(); // not the list mode's layout of every row
}

int ResultListView::rowHeight() const
{
    if (m_rowHeight == 0) {
        if (m_model->rowCount() == 0)
            return 1;
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        m_rowHeight = qMax(1, itemDelegate()->sizeHint(option, m_model->index(0)).height());
    }
    return m_rowHeight;
}

std::pair<int, int> ResultListView::rowsBetween(int top, int bottom) const
{
    const qint64 height = rowHeight();
    const qint64 last = m_model->rowCount() - 1;
    return {int(qBound(qint64(0), (top + qint64(verticalOffset())) / height, last)),
            int(qBound(qint64(-1), (bottom + qint64(verticalOffset())) / height, last))};
}

QRect ResultListView::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != m_model || index.column() != 0)
        return {};
    const qint64 top = qint64(index.row()) * rowHeight() - verticalOffset();
    constexpr qint64 kFar = std::numeric_limits<int>::max() / 2;
    return {-horizontalOffset(), int(qBound(-kFar, top, kFar)), viewport()->width(), rowHeight()};
}

QModelIndex ResultListView::indexAt(const QPoint &point) const
{
    if (point.y() < 0 || point.x() < 0 || point.x() >= viewport()->width())
        return {};
    const qint64 row = (point.y() + qint64(verticalOffset())) / rowHeight();
    return row < m_model->rowCount() ? m_model->index(int(row)) : QModelIndex();
}

void ResultListView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != m_model)
        return;
    executeDelayedItemsLayout(); // the scroll bar's range for the rows there are now
    const QRect row = visualRect(index);
    const QRect area = viewport()->rect();
    int by = 0;
    switch (hint) {
    case EnsureVisible:
        if (row.top() < area.top())
            by = row.top() - area.top();
        else if (row.bottom() > area.bottom())
            by = qMin(row.bottom() - area.bottom(), row.top() - area.top());
        break;
    case PositionAtTop:
        by = row.top() - area.top();
        break;
    case PositionAtBottom:
        by = row.bottom() - area.bottom();
        break;
    case PositionAtCenter:
        by = row.center().y() - area.center().y();
        break;
    }
    verticalScrollBar()->setValue(verticalScrollBar()->value() + by);
}

int ResultListView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int ResultListView::verticalOffset() const
{
    return verticalScrollBar()->value();
}

QModelIndex ResultListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    Q_UNUSED(modifiers);
    const int rows = m_model->rowCount();
    if (rows == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return m_model->index(action == MoveEnd ? rows - 1 : 0);
    const int page = qMax(1, viewport()->height() / rowHeight() - 1);
    int row = current.row();
    switch (action) {
    case MoveUp:
    case MovePrevious:
        --row;
        break;
    case MoveDown:
    case MoveNext:
        ++row;
        break;
    case MovePageUp:
        row -= page;
        break;
    case MovePageDown:
        row += page;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = rows - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return m_model->index(qBound(0, row, rows - 1));
}

void ResultListView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect within = rect.normalized();
    const auto [first, last] = rowsBetween(within.top(), within.bottom());
    QItemSelection selection;
    if (first <= last && within.right() >= 0 && within.left() < viewport()->width())
        selection.select(m_model->index(first), m_model->index(last));
    selectionModel()->select(selection, command);
}

QRegion ResultListView::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    const QRect area = viewport()->rect();
    for (const QItemSelectionRange &range : selection) {
        if (range.parent() != rootIndex() || range.left() > 0)
            continue;
        const QRect from = visualRect(m_model->index(range.top()));
        const QRect to = visualRect(m_model->index(range.bottom()));
        region += QRect(from.topLeft(), to.bottomRight()).intersected(area);
    }
    return region;
}

void ResultListView::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, dy);
}

void ResultListView::paintEvent(QPaintEvent *event)
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State base = option.state;
    const QModelIndex current = currentIndex();
    const bool focused = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    const auto [first, last] = rowsBetween(dirty.top(), dirty.bottom());
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = m_model->index(row);
        option.rect = visualRect(index);
        option.state = base;
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (focused && index == current)
            option.state |= QStyle::State_HasFocus;
        if (alternatingRowColors()) {
            // The alternate background under the row; the rest is the delegate's.
            option.features.setFlag(QStyleOptionViewItem::Alternate, row % 2 == 1);
            QStyleOptionViewItem background = option;
            background.state &= ~QStyle::State_Selected;
            style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &background, &painter, this);
        }
        itemDelegate()->paint(&painter, option, index);
    }
}

void ResultListView::scheduleFlush()
{
    if (m_flushScheduled)
        return;
    m_flushScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_flushScheduled = false;
            flush();
        },
        Qt::QueuedConnection);
}
