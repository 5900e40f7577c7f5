#include "window/form/Form.h"
#include "window/form/Named.h"
#include "window/form/PanelParts.h"
#include "window/form/StrengthMeter.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;

void buildSiteRules(Form &form)
{
    form.rFrame = optionPanel("rFrame", u"Site Rules"_s);
    auto *layout = new QFormLayout;
    layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(8);

    form.ruLabel = named<QLabel>("ruLabel", u"Rules or site:"_s);
    form.ruEdit = named<QLineEdit>("ruEdit");
    form.ruEdit->setAccessibleName(u"Password rules or site"_s);
    form.ruEdit->setPlaceholderText(
        u"minlength: 8; required: upper; required: digit; or a site, such as example.com"_s);
    form.ruLabel->setBuddy(form.ruEdit);
    layout->addRow(form.ruLabel, form.ruEdit);

    // The length, and beside it the strength of the rules at that length.
    form.rlLabel = named<QLabel>("rlLabel", u"Length:"_s);
    form.rlSpin = named<QSpinBox>("rlSpin");
    form.rlSpin->setAccessibleName(u"Password length"_s);
    form.rlSpin->setRange(1, 1);
    form.rlSpin->setEnabled(false);
    // Room for the longest length the rules allow, whatever the rules shown.
    form.rlSpin->setMinimumWidth(form.rlSpin->fontMetrics().horizontalAdvance(u"00000"_s) + 30);
    form.rlLabel->setBuddy(form.rlSpin);
    form.rsMeter = named<StrengthMeter>("rsMeter");
    form.rsMeter->setAccessibleName(u"Strength of the rules"_s);
    auto *length = new QHBoxLayout;
    length->setSpacing(10);
    length->addWidget(form.rlSpin);
    length->addWidget(form.rsMeter);
    length->addStretch(1);
    layout->addRow(form.rlLabel, length);

    form.rcLabel = named<QLabel>("rcLabel");
    form.rcLabel->setWordWrap(true);
    form.rcLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form.rcLabel->setProperty("caption", u"%1 passwords of this length"_s);
    layout->addRow(QString(), form.rcLabel);

    form.rmLabel = named<QLabel>("rmLabel");
    form.rmLabel->setWordWrap(true);
    QPalette warning = form.rmLabel->palette();
    warning.setColor(QPalette::WindowText, QColor(0xb7, 0x1c, 0x1c));
    form.rmLabel->setPalette(warning);
    form.rmLabel->setAccessibleName(u"Problem with the rules"_s);
    layout->addRow(QString(), form.rmLabel);

    form.rnLabel = named<QLabel>("rnLabel", u"Number to generate:"_s);
    form.rnEdit = named<QLineEdit>("rnEdit");
    form.rnEdit->setAccessibleName(u"Number to generate"_s);
    form.rnEdit->setAlignment(Qt::AlignRight);
    form.rnEdit->setFixedWidth(form.rnEdit->fontMetrics().horizontalAdvance(u"0000000000"_s) + 20);
    form.rnLabel->setBuddy(form.rnEdit);
    form.rgButton = named<QPushButton>("rgButton", u"Generate"_s);
    form.rgButton->setToolTip(u"Generate passwords these rules allow"_s);
    form.rgButton->setMinimumWidth(104);
    auto *generate = new QHBoxLayout;
    generate->setSpacing(10);
    generate->addWidget(form.rnEdit);
    generate->addWidget(form.rgButton);
    generate->addStretch(1);
    layout->addRow(form.rnLabel, generate);

    form.rButton = panelButton("rButton", u"Close Site Rules"_s);
    layOutPanel(form.rFrame, layout, form.rButton);
    chainTabOrder({form.ruEdit, form.rlSpin, form.rnEdit, form.rgButton, form.rButton});
    form.rFrame->setFocusProxy(form.ruEdit);
    form.panels->addWidget(form.rFrame);
}
