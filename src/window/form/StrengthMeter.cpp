#include "window/form/StrengthMeter.h"

#include "core/generation/GenerationSettings.h"
#include "core/localisation/LanguageTexts.h"
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
    m_exactPhrase = Localisation::englishText("Strength05"_L1);
    m_atLeastPhrase = Localisation::englishText("Strength06"_L1);
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

void StrengthMeter::showBits(double bits)
{
    m_bits = std::isfinite(bits) ? bits : 0;
    m_atLeast = false;
    m_rating = MaskStrength::rate(m_bits);
    refresh();
}

void StrengthMeter::setWords(const std::array<QString, 4> &words)
{
    m_words = words;
    refresh();
}

void StrengthMeter::setPhrases(const QString &exact, const QString &atLeast)
{
    m_exactPhrase = exact;
    m_atLeastPhrase = atLeast;
    refresh();
}

QString StrengthMeter::bitsPart(const QString &bits) const
{
    return FittedCaption::fitted(m_exactPhrase.left(m_exactPhrase.indexOf(u"%2"_s)).arg(bits), fontMetrics(),
                                 FittedCaption::Room::Word);
}

QString StrengthMeter::text() const
{
    return (m_atLeast ? m_atLeastPhrase : m_exactPhrase).arg(std::floor(m_bits)).arg(m_words[size_t(m_rating)]);
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
    return {metrics.horizontalAdvance(bitsPart(u"000"_s)) + widest + 2, metrics.height() + kBarHeight + 3};
}

void StrengthMeter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const QString bitsText = bitsPart(QString::number(std::floor(m_bits)));
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
