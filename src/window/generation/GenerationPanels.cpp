#include "window/generation/GenerationPanels.h"

#include "core/localisation/LanguageTexts.h"
#include "core/settings/SettingsTable.h"
#include "platform/messages/MessageBoxes.h"
#include "window/form/Form.h"
#include "window/generation/WordListChoice.h"

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

// Checks that no field is empty: the first empty one is reported and gets
// the focus.
bool noneEmpty(std::span<const Field> fields, MessageBoxes &messages)
{
    for (const Field &field : fields) {
        if (field.edit->text().isEmpty()) {
            messages.showError(Localisation::text("Message11"_L1));
            field.edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

// A word symbol equal to another symbol would never stand for words (the
// other symbol is tested first): it is reported and gets the focus.
bool wordSymbolStandsAlone(const Form &form, std::span<const Field> symbols, MessageBoxes &messages)
{
    const QString word = form.wEdit->text();
    for (const Field &field : symbols) {
        if (!word.isEmpty() && field.edit->text() == word) {
            messages.showError(Localisation::text("Message12"_L1));
            form.wEdit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

void store(std::span<const Field> fields)
{
    for (const Field &field : fields)
        Settings::write(field.setting, field.edit->text());
}

// Stores every field in order, after checking that none is empty; after a
// reported field nothing is stored.
bool checkAndStore(std::span<const Field> fields, MessageBoxes &messages)
{
    if (!noneEmpty(fields, messages))
        return false;
    store(fields);
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
    // The word symbol and the word list may be empty: no word symbol, the
    // shipped list.
    const Field words[] = {{form.wEdit, Name::wMask}, {form.wlEdit, Name::Words}};
    if (!noneEmpty(fields, messages) || !wordSymbolStandsAlone(form, fields, messages) ||
        !WordListChoice::CheckWordList(form, messages))
        return false;
    store(fields);
    store(words);
    return true;
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
