#include "generation/GenerationPanels.h"

#include "form/Form.h"
#include "messages/MessageBoxes.h"
#include "settings/SettingsTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <span>

using namespace Qt::StringLiterals;

namespace GenerationPanels {

namespace {

namespace Name = Settings::Name;

struct Field
{
    QLineEdit *edit;
    QLatin1String setting;
};

// Stores every field in order, after checking that none is empty. The first
// empty field is reported and gets the focus; then nothing is stored.
bool checkAndStore(std::span<const Field> fields, MessageBoxes &messages)
{
    for (const Field &field : fields) {
        if (field.edit->text().isEmpty()) {
            messages.show({u"The text can't be blank, enter something and try again."_s, u"Error"_s,
                           MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical});
            field.edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    for (const Field &field : fields)
        Settings::write(field.setting, field.edit->text());
    return true;
}

} // namespace

bool SaveClasses(const Form &form, MessageBoxes &messages)
{
    if (!form.cOption->isChecked())
        return true;
    const Field fields[] = {
        {form.uEdit, Name::AlphaU},
        {form.lEdit, Name::AlphaL},
        {form.nEdit, Name::Numeric},
        {form.sEdit, Name::Special},
    };
    return checkAndStore(fields, messages);
}

bool SaveSymbols(const Form &form, MessageBoxes &messages)
{
    const Field fields[] = {
        {form.upEdit, Name::uMask}, {form.loEdit, Name::lMask}, {form.nuEdit, Name::nMask},
        {form.spEdit, Name::sMask}, {form.iEdit, Name::iMask},
    };
    return checkAndStore(fields, messages);
}

void enableClassFields(const Form &form, bool enabled)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{form.uLabel, form.uEdit, form.lLabel, form.lEdit,
                                                            form.nLabel, form.nEdit, form.sLabel, form.sEdit})
        widget->setEnabled(enabled);
}

void ChooseCustomGeneration(const Form &form)
{
    if (form.cOption->isChecked())
        enableClassFields(form, true);
    Settings::write(Name::GenOpt, u"1"_s);
}

void ChooseDefaultGeneration(const Form &form)
{
    if (form.dOption->isChecked())
        enableClassFields(form, false);
    Settings::write(Name::GenOpt, u"0"_s);
}

} // namespace GenerationPanels
