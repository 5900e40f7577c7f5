#pragma once

#include <QString>

#include <initializer_list>

class QGroupBox;
class QLayout;
class QToolButton;
class QWidget;

// The shape every option panel shares: a captioned box, its controls, and at
// its foot the one image button that closes it.
QGroupBox *optionPanel(const char *name, const QString &caption);
QToolButton *panelButton(const char *name, const QString &description);
// Lays the panel out: the controls above, the close button at the foot.
void layOutPanel(QGroupBox *panel, QLayout *controls, QToolButton *closeButton);
// Tab moves through the widgets in this order (the main panel's too).
void chainTabOrder(std::initializer_list<QWidget *> widgets);
