#pragma once

#include "core/strength/MaskStrength.h"

#include <QWidget>

#include <array>

// A compact meter beside the mask box: the min-entropy of a password made
// from the mask under the stored generation settings ("72 bits": the
// likeliest password comes one time in 2^72), the verdict in the interface
// language, and a small bar coloured by verdict. Where words can run
// together in more ways than were counted, it shows the figure the mask is
// sure to reach, and the tooltip says "at least".
class StrengthMeter final : public QWidget
{
    Q_OBJECT

public:
    explicit StrengthMeter(QWidget *parent = nullptr);

    // Measures the mask with the stored settings and shows the result.
    void showMask(const QString &mask);
    // Shows bits measured elsewhere, exactly (the passwords of a website's
    // rules, each as likely as any other).
    void showBits(double bits);
    // The words for the four verdicts, from Poor to Excellent.
    void setWords(const std::array<QString, 4> &words);
    // The line's phrases, "%1 bits %2" and "at least %1 bits %2": %1 the
    // bits, %2 the word.
    void setPhrases(const QString &exact, const QString &atLeast);

    // What the meter shows, for people and for assistive technology.
    QString text() const;
    double bits() const { return m_bits; }
    MaskStrength::Rating rating() const { return m_rating; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();
    // A word as the meter has room for it; the tooltip holds it whole.
    QString shownWord(const QString &word) const;

    // The line without its word, as painted beside the coloured word.
    QString bitsPart(const QString &bits) const;

    std::array<QString, 4> m_words;
    QString m_exactPhrase;
    QString m_atLeastPhrase;
    double m_bits = 0;
    bool m_atLeast = false;
    MaskStrength::Rating m_rating = MaskStrength::Rating::Poor;
};
