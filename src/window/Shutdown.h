#pragma once

#include <QString>

class QWidget;

// What the program does as its window closes: it stores the window position
// for the next start (Top and Left, in twips) and empties the clipboard when
// the user asked for that (Clear is exactly "1").
namespace Shutdown {

struct PositionTexts
{
    QString top;
    QString left;
};

// Top as it stands; Left rounded to a whole number, halves to the even
// neighbour, when the result fits 16 bits (-32768 to 32767); a left edge
// beyond that range is stored as it stands. Whole numbers have no decimal
// point.
PositionTexts positionTexts(double topTwips, double leftTwips);

// The number text used for positions: C locale, no exponent, no trailing zeros.
QString numberText(double value);

// Restores a minimised window first, so that its normal position is stored.
void run(QWidget &window);

} // namespace Shutdown
