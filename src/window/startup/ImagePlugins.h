#pragma once

// The first image Qt reads makes it load every image-format plugin it can
// find (SVG, JPEG, GIF, ICO and the libraries behind them), several
// milliseconds that the first frame does not need: its images are PNG, which
// Qt reads by itself. So the plugin folders are hidden from then until just
// after the first painting of a window, and then given back as they were.
namespace ImagePlugins {

// Call after the application object exists and before anything reads an image.
void holdBackUntilFirstPaint();

} // namespace ImagePlugins
