#include "window/form/Form.h"
#include "window/form/Icons.h"
#include "window/form/Named.h"
#include "window/form/PanelParts.h"
#include "window/form/StrengthMeter.h"
#include "window/results/ResultListView.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPushButton *commandButton(const char *name, const QString &caption, const QString &toolTip)
{
    auto *button = named<QPushButton>(name, caption);
    button->setToolTip(toolTip);
    button->setMinimumWidth(104);
    return button;
}

QToolButton *imageButton(const char *name, const QIcon &icon, const QString &description)
{
    auto *button = named<QToolButton>(name);
    button->setIcon(icon);
    button->setIconSize({16, 16});
    button->setToolTip(description);
    button->setAccessibleName(description);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

void buildMainPanel(Form &form)
{
    form.cFrame = named<QFrame>("cFrame");
    auto *main = new QVBoxLayout(form.cFrame);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(10);

    // The mask and the number to generate.
    form.mFrame = named<QGroupBox>("mFrame", u"Mask/Number To Generate"_s);
    auto *inputs = new QHBoxLayout(form.mFrame);
    inputs->setSpacing(6);
    form.mCombo = named<QComboBox>("mCombo");
    form.mCombo->setEditable(true);
    form.mCombo->setInsertPolicy(QComboBox::NoInsert);
    // The mask is exactly what was typed: the box's own completer would
    // extend a typed text to a listed mask, matching without regard to case,
    // and put that mask in the box on Enter. A listed mask is picked from the
    // drop-down list. Without a completer the box matches its rows by case.
    form.mCombo->setCompleter(nullptr);
    form.mCombo->setAccessibleName(u"Mask"_s);
    // On Linux assistive technology reads a combo box by its text; its edit
    // field carries the name.
    form.mCombo->lineEdit()->setAccessibleName(u"Mask"_s);
    form.mCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    form.mCombo->setMinimumContentsLength(16);
    // Neither the box's width nor its list's layout depends on the masks:
    // measuring every one of a long list would hold up the first show and
    // every opening of the list.
    form.mCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto *list = qobject_cast<QListView *>(form.mCombo->view()))
        list->setUniformItemSizes(true);
    form.addButton = imageButton("addButton", Icons::add(), u"Add mask to list"_s);
    form.sudButton = imageButton("sudButton", Icons::remove(), u"Remove mask from list"_s);
    form.spinner = named<QLineEdit>("spinner");
    form.spinner->setAccessibleName(u"Number to generate"_s);
    form.spinner->setAlignment(Qt::AlignRight);
    form.spinner->setFixedWidth(form.spinner->fontMetrics().horizontalAdvance(u"0000000000"_s) + 20);
    inputs->addWidget(form.mCombo, 1);
    inputs->addWidget(form.addButton);
    inputs->addWidget(form.sudButton);
    form.strengthMeter = named<StrengthMeter>("strengthMeter");
    inputs->addSpacing(4);
    inputs->addWidget(form.strengthMeter);
    inputs->addSpacing(10);
    inputs->addWidget(form.spinner);
    main->addWidget(form.mFrame);

    // The command column beside the result list.
    auto *lower = new QHBoxLayout;
    lower->setSpacing(10);
    form.bFrame = named<QFrame>("bFrame");
    auto *column = new QVBoxLayout(form.bFrame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    form.gButton = commandButton("gButton", u"Generate"_s, u"Generate passwords"_s);
    form.gButton->setDefault(true);
    form.cButton = commandButton("cButton", u"Clear"_s, u"Clear list"_s);
    form.SButton = commandButton("SButton", u"Save"_s, u"Save list to file"_s);
    form.SButton->setIcon(Icons::menu());
    form.fButton = commandButton("fButton", u"File"_s, QString());
    form.fButton->setIcon(Icons::menu());
    for (QPushButton *button : {form.gButton, form.cButton, form.SButton, form.fButton})
        column->addWidget(button);
    column->addStretch(1);
    lower->addWidget(form.bFrame);

    form.genList = named<ResultListView>("genList");
    form.genList->setAccessibleName(u"Generated passwords"_s);
    form.genList->setColumnCaption(u"Generated Passwords;"_s);
    lower->addWidget(form.genList, 1);
    main->addLayout(lower, 1);

    chainTabOrder({form.mCombo, form.addButton, form.sudButton, form.spinner, form.gButton, form.cButton, form.SButton,
                   form.fButton, form.genList});
    form.cFrame->setFocusProxy(form.mCombo);

    form.panels->addWidget(form.cFrame);
}
