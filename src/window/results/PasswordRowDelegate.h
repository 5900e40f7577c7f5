#pragma once

#include <QFont>
#include <QStyledItemDelegate>

// Paints the rows of the result list, each as tall as the deepest and
// tallest glyph of the default classes needs in the row font: the marks
// above Ö, É or Ž and the tails of g, y or ç are never cut at the row's edge,
// so a password copied by eye reads as it is.
class PasswordRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // The list asks for every row's size; the font rarely changes.
    mutable QFont m_measuredFont;
    mutable int m_measuredHeight = 0;
};
