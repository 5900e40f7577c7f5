#include "window/results/ResultListView.h"

#include "window/results/PasswordRowDelegate.h"
#include "window/results/ResultListModel.h"

#include "core/common/RecentMappings.h"

#include <QFontDatabase>
#include <QHeaderView>

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
    // The list mode keeps two arrays of an int a row it once showed (4 MB a
    // million), which clearing its rows leaves allocated; a new one starts
    // empty. The C library keeps the freed top of its heap unless asked, and
    // the last batch's arrays are kept a few seconds for the next one.
    if (hadRows) {
        setViewMode(IconMode);
        setViewMode(ListMode);
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
    QListView::updateGeometries();
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
