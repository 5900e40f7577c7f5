#pragma once

#include <QtGlobal>

// Window positions are stored in twips, 1440 to the inch, measured against
// the screen's logical resolution.
namespace Twips {

inline constexpr double kPerInch = 1440.0;

inline double fromPixels(double pixels, double logicalDpi)
{
    return pixels * kPerInch / logicalDpi;
}

inline double toPixels(double twips, double logicalDpi)
{
    return twips * logicalDpi / kPerInch;
}

} // namespace Twips
