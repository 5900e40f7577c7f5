#include "window/strength/StrengthMeter.h"

#include "core/generation/GenerationSettings.h"
#include "window/form/FittedCaption.h"

#include <QPainter>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using MaskStrength::Rating;

constexpr int kBarHeight = 3;
constexpr double kFullBarBits = 128;

QColor colourOf(Rating rating)
{
    switch (rating) {
    case Rating::Poor:
        return QColor(0xc6, 0x28, 0x28);
    case Rating::Weak:
        return QColor(0xe0, 0x8a, 0x00);
    case Rating::Good:
        return QColor(0x7c, 0xa8, 0x2b);
    case Rating::Excellent:
        return QColor(0x2e, 0x7d, 0x32);
    }
    return {};
}

} // namespace

StrengthMeter::StrengthMeter(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(u"Mask strength"_s);
    for (int r = 0; r < 4; ++r)
        m_words[size_t(r)] = MaskStrength::englishWord(Rating(r));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    refresh();
}

void StrengthMeter::showMask(const QString &mask)
{
    const MaskStrength::Strength strength = MaskStrength::measure(mask, GenerationSettings::fromStore());
    m_bits = std::isfinite(strength.bits) ? strength.bits : 0;
    m_atLeast = !strength.exact;
    m_rating = MaskStrength::rate(m_bits);
    refresh();
}

void StrengthMeter::setWords(const std::array<QString, 4> &words)
{
    m_words = words;
    refresh();
}

QString StrengthMeter::text() const
{
    return u"%1%2 bits %3"_s.arg(m_atLeast ? u"at least "_s : QString())
        .arg(std::floor(m_bits))
        .arg(m_words[size_t(m_rating)]);
}

QString StrengthMeter::shownWord(const QString &word) const
{
    return FittedCaption::fitted(word, fontMetrics(), FittedCaption::Room::Word);
}

void StrengthMeter::refresh()
{
    setToolTip(text());
    setAccessibleDescription(text());
    updateGeometry();
    QWidget::update();
}

QSize StrengthMeter::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const QString &word : m_words)
        widest = std::max(widest, metrics.horizontalAdvance(shownWord(word)));
    return {metrics.horizontalAdvance(u"000 bits "_s) + widest + 2, metrics.height() + kBarHeight + 3};
}

void StrengthMeter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const QString bitsText = u"%1 bits "_s.arg(std::floor(m_bits));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(0, 0, width(), line), Qt::AlignLeft | Qt::AlignVCenter, bitsText);
    const QColor colour = colourOf(m_rating);
    painter.setPen(colour.darker(120));
    painter.drawText(QRect(metrics.horizontalAdvance(bitsText), 0, width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                     shownWord(m_words[size_t(m_rating)]));

    const QRect track(0, line + 2, width() - 1, kBarHeight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Midlight));
    painter.drawRect(track);
    const double share = std::clamp(m_bits / kFullBarBits, 0.0, 1.0);
    painter.setBrush(colour);
    painter.drawRect(QRect(track.left(), track.top(), int(std::lround(track.width() * share)), track.height()));
}
