#include "window/form/PanelParts.h"

#include "window/form/Icons.h"
#include "window/form/Named.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

QGroupBox *optionPanel(const char *name, const QString &caption)
{
    return named<QGroupBox>(name, caption);
}

QToolButton *panelButton(const char *name, const QString &description)
{
    auto *button = named<QToolButton>(name);
    button->setIcon(Icons::done());
    button->setIconSize({24, 24});
    button->setAccessibleName(description);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setMinimumSize(40, 34);
    return button;
}

void layOutPanel(QGroupBox *panel, QLayout *controls, QToolButton *closeButton)
{
    auto *layout = new QVBoxLayout(panel);
    layout->setSpacing(10);
    layout->addLayout(controls);
    layout->addStretch(1);
    auto *foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(closeButton);
    layout->addLayout(foot);
}

void chainTabOrder(std::initializer_list<QWidget *> widgets)
{
    for (auto it = widgets.begin(); it + 1 != widgets.end(); ++it)
        QWidget::setTabOrder(*it, *(it + 1));
}
