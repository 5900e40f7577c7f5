#include "core/generation/LookAlike.h"
#include "window/form/Form.h"
#include "window/form/Named.h"
#include "window/form/PanelParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QVBoxLayout *column()
{
    auto *layout = new QVBoxLayout;
    layout->setSpacing(8);
    return layout;
}

QFormLayout *fields()
{
    auto *layout = new QFormLayout;
    layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(8);
    return layout;
}

// A labelled one-line field; the label names the field for keyboard users
// (its mnemonic) and the accessible name says what the field holds.
void addField(QFormLayout *layout, QLabel *&label, const char *labelName, const QString &caption, QLineEdit *&edit,
              const char *editName, const QString &description)
{
    label = named<QLabel>(labelName, caption);
    edit = named<QLineEdit>(editName);
    edit->setAccessibleName(description);
    label->setBuddy(edit);
    layout->addRow(label, edit);
}

QCheckBox *checkBox(const char *name, const QString &caption, QVBoxLayout *layout)
{
    auto *box = named<QCheckBox>(name, caption);
    layout->addWidget(box);
    return box;
}

// Qt's clear button takes its image from the icon theme, and the first
// question to the theme sets it all up (about 10 ms): the button is made
// when its field first shows, not while the window starts.
class ClearButtonAtFirstShow : public QObject
{
public:
    explicit ClearButtonAtFirstShow(QLineEdit *edit) : QObject(edit) { edit->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *edit = static_cast<QLineEdit *>(watched);
            edit->removeEventFilter(this);
            edit->setClearButtonEnabled(true);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void buildProgramOptions(Form &form)
{
    form.oFrame = optionPanel("oFrame", u"Program Options"_s);
    QVBoxLayout *boxes = column();
    form.Slm = checkBox("Slm", u"Save last used mask"_s, boxes);
    form.ACu = checkBox("ACu", u"Auto-Check for update"_s, boxes);
    form.slg = checkBox("slg", u"Save last number generated"_s, boxes);
    form.ccl = checkBox("ccl", u"Confirm clear"_s, boxes);
    form.ASg = checkBox("ASg", u"Auto-Save last generated password(s)"_s, boxes);
    form.ccb = checkBox("ccb", u"Clear Clipboard on exit"_s, boxes);
    form.cca = checkBox("cca", u"Clear clipboard after 10 seconds"_s, boxes);
    form.oButton = panelButton("oButton", u"Close Program Options"_s);
    layOutPanel(form.oFrame, boxes, form.oButton);
    form.oFrame->setFocusProxy(form.Slm);
    form.panels->addWidget(form.oFrame);
}

void buildGenerationOptions(Form &form)
{
    form.gFrame = optionPanel("gFrame", u"Generation Options"_s);
    QVBoxLayout *layout = column();
    QFormLayout *classes = fields();
    addField(classes, form.uLabel, "uLabel", u"Upper Case:"_s, form.uEdit, "uEdit", u"Upper-case characters"_s);
    addField(classes, form.lLabel, "lLabel", u"Lower Case:"_s, form.lEdit, "lEdit", u"Lower-case characters"_s);
    addField(classes, form.nLabel, "nLabel", u"Numeric:"_s, form.nEdit, "nEdit", u"Numeric characters"_s);
    addField(classes, form.sLabel, "sLabel", u"Special Characters:"_s, form.sEdit, "sEdit", u"Special characters"_s);
    // The classes are used only by custom generation; until it is chosen
    // they can be read but not edited.
    for (QWidget *widget : std::initializer_list<QWidget *>{form.uLabel, form.uEdit, form.lLabel, form.lEdit,
                                                            form.nLabel, form.nEdit, form.sLabel, form.sEdit})
        widget->setEnabled(false);
    layout->addLayout(classes);

    form.cOption = named<QRadioButton>("cOption", u"Use custom generation"_s);
    form.dOption = named<QRadioButton>("dOption", u"Use default generation"_s);
    auto *mode = new QButtonGroup(form.gFrame);
    mode->addButton(form.cOption);
    mode->addButton(form.dOption);
    layout->addSpacing(4);
    layout->addWidget(form.cOption);
    layout->addWidget(form.dOption);
    layout->addSpacing(4);
    form.nla = checkBox("nla", u"Leave out look-alike characters"_s, layout);
    form.nla->setToolTip(LookAlike::characters().split(QString(), Qt::SkipEmptyParts).join(u' '));

    form.nButton = panelButton("nButton", u"Save character classes and close"_s);
    layOutPanel(form.gFrame, layout, form.nButton);
    form.gFrame->setFocusProxy(form.cOption);
    form.panels->addWidget(form.gFrame);
}

void buildMaskOptions(Form &form)
{
    form.sFrame = optionPanel("sFrame", u"Mask Options"_s);
    QFormLayout *symbols = fields();
    addField(symbols, form.ucLabel, "ucLabel", u"Upper Case:"_s, form.upEdit, "upEdit", u"Upper-case symbol"_s);
    addField(symbols, form.lcLabel, "lcLabel", u"Lower Case:"_s, form.loEdit, "loEdit", u"Lower-case symbol"_s);
    addField(symbols, form.nuLabel, "nuLabel", u"Numeric:"_s, form.nuEdit, "nuEdit", u"Digit symbol"_s);
    // "Chraracters" is misspelt on purpose: it is the caption the window has
    // always been built with, and start-up replaces it with the language's text.
    addField(symbols, form.spLabel, "spLabel", u"Special Chraracters:"_s, form.spEdit, "spEdit",
             u"Special-character symbol"_s);
    addField(symbols, form.iLabel, "iLabel", u"Incrementing Numbers:"_s, form.iEdit, "iEdit",
             u"Incrementing-number symbol"_s);
    addField(symbols, form.wLabel, "wLabel", u"Words:"_s, form.wEdit, "wEdit", u"Word symbol"_s);
    form.wEdit->setPlaceholderText(u"none"_s);
    form.wcp = named<QCheckBox>("wcp", u"Capitalise words"_s);
    symbols->addRow(QString(), form.wcp);

    // The word list: a file name (empty for the shipped list), a button
    // that picks one, and below them how many words the list holds.
    form.wlLabel = named<QLabel>("wlLabel", u"Word list:"_s);
    form.wlEdit = named<QLineEdit>("wlEdit");
    form.wlEdit->setAccessibleName(u"Word list file"_s);
    form.wlEdit->setPlaceholderText(u"Shipped English list"_s);
    new ClearButtonAtFirstShow(form.wlEdit);
    form.wlLabel->setBuddy(form.wlEdit);
    form.wlButton = named<QToolButton>("wlButton");
    form.wlButton->setText(u"Choose..."_s);
    form.wlButton->setAccessibleName(u"Choose a word list"_s);
    auto *list = new QHBoxLayout;
    list->setSpacing(4);
    list->addWidget(form.wlEdit);
    list->addWidget(form.wlButton);
    symbols->addRow(form.wlLabel, list);
    form.wcLabel = named<QLabel>("wcLabel");
    form.wcLabel->setProperty("caption", u"%1 words"_s);
    form.wcLabel->setWordWrap(true);
    symbols->addRow(QString(), form.wcLabel);
    form.mButton = panelButton("mButton", u"Save mask symbols and close"_s);
    layOutPanel(form.sFrame, symbols, form.mButton);
    form.sFrame->setFocusProxy(form.upEdit);
    form.panels->addWidget(form.sFrame);
}

void buildInterfaceOptions(Form &form)
{
    form.iFrame = optionPanel("iFrame", u"Interface Options"_s);
    QVBoxLayout *layout = column();
    form.Kot = checkBox("Kot", u"Keep on top"_s, layout);
    form.soo = checkBox("soo", u"Sounds"_s, layout);
    form.Xs = checkBox("Xs", u"XP Style"_s, layout);
    QFormLayout *language = fields();
    form.lngLabel = named<QLabel>("lngLabel", u"Language:"_s);
    form.LCombo = named<QComboBox>("LCombo");
    form.LCombo->setEditable(true);
    form.LCombo->setInsertPolicy(QComboBox::NoInsert);
    form.LCombo->setAccessibleName(u"Language"_s);
    form.LCombo->lineEdit()->setAccessibleName(u"Language"_s);
    form.lngLabel->setBuddy(form.LCombo);
    language->addRow(form.lngLabel, form.LCombo);
    layout->addSpacing(4);
    layout->addLayout(language);
    form.iButton = panelButton("iButton", u"Apply language and close"_s);
    layOutPanel(form.iFrame, layout, form.iButton);
    form.iFrame->setFocusProxy(form.Kot);
    form.panels->addWidget(form.iFrame);
}
