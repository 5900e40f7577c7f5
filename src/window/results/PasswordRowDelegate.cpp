#include "window/results/PasswordRowDelegate.h"

#include "core/generation/CharacterClass.h"

#include <QFontMetricsF>

#include <cmath>

namespace {

// Room kept between a glyph's ink and the row's edge, where anti-aliasing
// and rounding at fractional screen scales may still put a pixel.
constexpr qreal kInkMargin = 2;

// Every character default generation draws from.
QString defaultCharacters()
{
    QString text;
    for (const CharacterClass *characters : {&CharacterClass::defaultUpper(), &CharacterClass::defaultLower(),
                                             &CharacterClass::defaultDigits(), &CharacterClass::defaultSpecial()}) {
        for (quint32 i = 0; i < characters->size(); ++i) {
            const char32_t character = characters->at(i);
            text += QString::fromUcs4(&character, 1);
        }
    }
    return text;
}

// The height of a row in the given font, in device-independent pixels.
int rowHeight(const QFont &font)
{
    static const QString sample = defaultCharacters();
    const QFontMetricsF metrics(font);
    // The text is centred on its line (ascent plus descent); the ink of
    // accented capitals rises above the ascent and some tails reach below
    // the descent, by as much on either side at most as the row adds.
    const QRectF ink = metrics.tightBoundingRect(sample);
    const qreal above = std::max<qreal>(0, -ink.top() - metrics.ascent());
    const qreal below = std::max<qreal>(0, ink.bottom() - metrics.descent());
    return int(std::ceil(metrics.height() + 2 * (std::max(above, below) + kInkMargin)));
}

} // namespace

QSize PasswordRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    if (m_measuredHeight == 0 || row.font != m_measuredFont) {
        m_measuredFont = row.font;
        m_measuredHeight = rowHeight(row.font);
    }
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), m_measuredHeight));
    return size;
}
