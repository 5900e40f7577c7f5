#pragma once

#include <functional>

class QWidget;

// Runs work once, just after the window's first painting: for start-up work
// that the first frame does not show. The work waits in the event queue, so
// it runs before any input that reaches the window.
void afterFirstPaint(QWidget &window, std::function<void()> work);
