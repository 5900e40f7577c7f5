#include "window/form/PanelSwitch.h"

#include <QStackedWidget>
#include <QVariant>

namespace PanelSwitch {

namespace {
constexpr char kProperty[] = "verticalPosition";
} // namespace

int verticalPosition(const QWidget &panel)
{
    const QVariant position = panel.property(kProperty);
    return position.isValid() ? position.toInt() : kAwayPosition;
}

void setVerticalPosition(QWidget &panel, int position)
{
    panel.setProperty(kProperty, position);
}

void open(QStackedWidget &panels, QWidget &mainPanel, QWidget &panel)
{
    setVerticalPosition(mainPanel, kAwayPosition);
    setVerticalPosition(panel, kOpenPosition);
    panels.setCurrentWidget(&panel); // hides the main panel, shows this one
    panel.setFocus(Qt::OtherFocusReason);
}

void close(QStackedWidget &panels, QWidget &mainPanel, QWidget &panel)
{
    setVerticalPosition(panel, kAwayPosition);
    setVerticalPosition(mainPanel, kMainPosition);
    panels.setCurrentWidget(&mainPanel);
    mainPanel.setFocus(Qt::OtherFocusReason);
}

} // namespace PanelSwitch
