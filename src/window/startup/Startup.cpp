#include "startup/Startup.h"

#include "MainWindow.h"
#include "settings/SettingsTable.h"
#include "toolbar/ToolBand.h"
#include "toolbar/ToolCodes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

using namespace Qt::StringLiterals;

namespace {

namespace Name = Settings::Name;

// "Tessaro 1.1": the title and the major and minor version.
void setCaption(MainWindow &window)
{
    window.setWindowTitle(u"Tessaro %1.%2"_s.arg(TESSARO_VERSION_MAJOR).arg(TESSARO_VERSION_MINOR));
}

// The stored tool captions, which the menu commands are recognised by: each
// empty one gets its default.
void writeToolCaptionDefaults(MainWindow &)
{
    for (const QLatin1String code : {Name::TCA, Name::TCS, Name::TPO, Name::TGO, Name::TIO, Name::TMO, Name::TMI,
                                     Name::TXI, Name::THL, Name::TCO, Name::TAO, Name::TAT, Name::TAC}) {
        if (Settings::read(code).isEmpty())
            Settings::write(code, Settings::startupDefault(code));
    }
}

// Each command tool shows the caption stored under its code, so that a tool
// and its stored caption agree (applying a language keeps them so later).
void showStoredToolCaptions(MainWindow &window)
{
    for (const ToolCode &tool : kToolCodes) {
        if (QAction *action = window.toolBand().tool(tool.index))
            action->setText(Settings::read(tool.code));
    }
}

// A setting that must not stay empty: the stored text, after writing the
// default when it was empty.
QString readOrWriteDefault(QLatin1String name)
{
    QString value = Settings::read(name);
    if (value.isEmpty()) {
        value = Settings::startupDefault(name);
        Settings::write(name, value);
    }
    return value;
}

// The language the window's texts come from.
void restoreLanguage(MainWindow &window)
{
    window.form().LCombo->setEditText(readOrWriteDefault(Name::Language));
}

// The five mask symbols, shown in the Mask Options fields.
void restoreMaskSymbols(MainWindow &window)
{
    const Form &form = window.form();
    const std::array<std::pair<QLatin1String, QLineEdit *>, 5> symbols{{
        {Name::uMask, form.upEdit},
        {Name::lMask, form.loEdit},
        {Name::nMask, form.nuEdit},
        {Name::sMask, form.spEdit},
        {Name::iMask, form.iEdit},
    }};
    for (const auto &[name, edit] : symbols)
        edit->setText(readOrWriteDefault(name));
}

// An on/off setting shown by a check box: an empty value gets its default;
// 0 unticks the box, 1 ticks it, anything else leaves it as it is. The
// box's own click handler does not run.
void restoreCheckBox(QLatin1String name, QCheckBox &box)
{
    bool isNumber = false;
    const int value = readOrWriteDefault(name).trimmed().toInt(&isNumber);
    if (isNumber && value == 0)
        box.setChecked(false);
    else if (isNumber && value == 1)
        box.setChecked(true);
}

void restoreSaveMask(MainWindow &window)
{
    restoreCheckBox(Name::SaveM, *window.form().Slm);
}

void restoreSaveCount(MainWindow &window)
{
    restoreCheckBox(Name::SaveN, *window.form().slg);
}

void restoreConfirmClear(MainWindow &window)
{
    restoreCheckBox(Name::Confirm, *window.form().ccl);
}

void restoreLastGenerated(MainWindow &window)
{
    restoreCheckBox(Name::LastGen, *window.form().ASg);
}

void restoreClearClipboard(MainWindow &window)
{
    restoreCheckBox(Name::Clear, *window.form().ccb);
}

// Default (0) or custom (1) generation; the character-class fields stay
// disabled unless custom generation is chosen.
void restoreGenerationMode(MainWindow &window)
{
    const Form &form = window.form();
    QString stored = Settings::read(Name::GenOpt);
    if (stored.isEmpty()) {
        stored = u"0"_s;
        Settings::write(Name::GenOpt, stored);
    }
    bool isNumber = false;
    const double value = stored.trimmed().toDouble(&isNumber);
    const int mode = isNumber && value >= -32768.5 && value < 32767.5 ? qRound(value) : 0;
    if (mode == 0) {
        form.dOption->setChecked(true);
    } else if (mode == 1) {
        form.cOption->setChecked(true);
        for (QWidget *widget : std::initializer_list<QWidget *>{form.uLabel, form.uEdit, form.lLabel, form.lEdit,
                                                                form.nLabel, form.nEdit, form.sLabel, form.sEdit})
            widget->setEnabled(true);
        Settings::write(Name::GenOpt, u"1"_s);
    }
}

// The four character classes, shown in the Generation Options fields.
void restoreCharacterClasses(MainWindow &window)
{
    const Form &form = window.form();
    const std::array<std::pair<QLatin1String, QLineEdit *>, 4> classes{{
        {Name::AlphaU, form.uEdit},
        {Name::AlphaL, form.lEdit},
        {Name::Numeric, form.nEdit},
        {Name::Special, form.sEdit},
    }};
    for (const auto &[name, edit] : classes) {
        readOrWriteDefault(name);
        edit->setText(Settings::read(name));
    }
}

// The last mask, or the first saved mask when none is stored.
void restoreLastMask(MainWindow &window)
{
    QComboBox &mask = *window.form().mCombo;
    const QString stored = Settings::read(Name::String);
    mask.setEditText(stored.isEmpty() ? (mask.count() > 0 ? mask.itemText(0) : QString()) : stored);
}

// The last number generated, or 1.
void restoreLastCount(MainWindow &window)
{
    const QString stored = Settings::read(Name::Generate);
    window.form().spinner->setText(stored.isEmpty() ? u"1"_s : stored);
}

using Step = void (*)(MainWindow &);

// The steps in the order they run.
constexpr std::array kSteps{
    Step(setCaption),
    Step(writeToolCaptionDefaults),
    Step(restoreLanguage),
    Step(showStoredToolCaptions),
    Step(restoreMaskSymbols),
    Step(restoreLastMask),
    Step(restoreSaveMask),
    Step(restoreLastCount),
    Step(restoreSaveCount),
    Step(restoreConfirmClear),
    Step(restoreLastGenerated),
    Step(restoreClearClipboard),
    Step(restoreGenerationMode),
    Step(restoreCharacterClasses),
};

} // namespace

namespace Startup {

void run(MainWindow &window)
{
    for (const Step step : kSteps)
        step(window);
}

} // namespace Startup
