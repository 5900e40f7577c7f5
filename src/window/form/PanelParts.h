#pragma once

#include <QString>

class QGroupBox;
class QLayout;
class QToolButton;

// The shape every option panel shares: a captioned box, its controls, and at
// its foot the one image button that closes it.
QGroupBox *optionPanel(const char *name, const QString &caption);
QToolButton *panelButton(const char *name, const QString &description);
// Lays the panel out: the controls above, the close button at the foot.
void layOutPanel(QGroupBox *panel, QLayout *controls, QToolButton *closeButton);
