#include "window/form/Form.h"

#include "window/form/Named.h"

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

    buildMainPanel(form);
    buildProgramOptions(form);
    buildGenerationOptions(form);
    buildMaskOptions(form);
    buildInterfaceOptions(form);
    buildSiteRules(form);
    buildAbout(form);
    form.panels->setCurrentWidget(form.cFrame);
    return form;
}
