#pragma once

class QWidget;

// Keep on top: the window joins or leaves the band of windows that stay
// above all others, without moving or resizing. A shown window stays shown.
void SetTopmost(QWidget &window);
void ClearTopmost(QWidget &window);
