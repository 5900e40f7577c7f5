#include "window/Shutdown.h"

#include "core/settings/SettingsTable.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/placement/Twips.h"

#include <QLocale>
#include <QScreen>
#include <QWidget>

#include <cfenv>
#include <cmath>

namespace Shutdown {

QString numberText(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}

PositionTexts positionTexts(double topTwips, double leftTwips)
{
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(leftTwips);
    const bool fits = rounded >= -32768 && rounded <= 32767;
    return {numberText(topTwips), numberText(fits ? rounded : leftTwips)};
}

void run(QWidget &window)
{
    if (window.isMinimized())
        window.showNormal();

    const QScreen *screen = window.screen();
    const double dpiX = screen ? screen->logicalDotsPerInchX() : 96.0;
    const double dpiY = screen ? screen->logicalDotsPerInchY() : 96.0;
    const QPoint topLeft = window.pos(); // the frame's corner
    const PositionTexts texts =
        positionTexts(Twips::fromPixels(topLeft.y(), dpiY), Twips::fromPixels(topLeft.x(), dpiX));
    Settings::write(Settings::Name::Top, texts.top);
    Settings::write(Settings::Name::Left, texts.left);

    // Emptied here, before Qt's own teardown would hand the content to a
    // clipboard manager.
    if (Settings::read(Settings::Name::Clear) == u"1")
        Clipboard::clear();
}

} // namespace Shutdown
