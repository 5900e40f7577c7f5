#include "window/form/Form.h"

#include "window/form/Named.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

Form buildForm(QWidget *parent)
{
    Form form;
    auto *layout = new QVBoxLayout(parent);
    layout->setContentsMargins(12, 8, 12, 12);

    form.panels = named<QStackedWidget>("panels");
    layout->addWidget(form.panels);

    // Two text boxes that are never shown: the command line and a scratch
    // buffer.
    form.cText = named<QLineEdit>("cText", parent);
    form.cText->setAccessibleName(u"Command line"_s);
    form.cText->hide();
    form.csvText = named<QPlainTextEdit>("csvText", parent);
    form.csvText->setAccessibleName(u"CSV buffer"_s);
    form.csvText->hide();

    buildMainPanel(form);
    buildProgramOptions(form);
    buildGenerationOptions(form);
    buildMaskOptions(form);
    buildInterfaceOptions(form);
    buildAbout(form);
    form.panels->setCurrentWidget(form.cFrame);
    return form;
}
