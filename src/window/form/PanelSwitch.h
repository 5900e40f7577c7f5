#pragma once

class QStackedWidget;
class QWidget;

// Opening and closing the option and About panels. The panels share one
// area (pages of a stack): opening one hides the main panel, closing it
// shows the main panel again. Each panel also keeps the vertical position it
// has in the window's own units (twips): 0 or 120 while shown, 4200 while
// put away.
namespace PanelSwitch {

inline constexpr int kMainPosition = 0;
inline constexpr int kOpenPosition = 120;
inline constexpr int kAwayPosition = 4200;

int verticalPosition(const QWidget &panel);
void setVerticalPosition(QWidget &panel, int position);

void open(QStackedWidget &panels, QWidget &mainPanel, QWidget &panel);
void close(QStackedWidget &panels, QWidget &mainPanel, QWidget &panel);

} // namespace PanelSwitch
