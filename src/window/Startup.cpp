#include "window/Startup.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/UserMaskList.h"
#include "core/localisation/LanguageTexts.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/SettingsTable.h"
#include "core/update/SiteAddress.h"
#include "platform/messages/MessageBoxes.h"
#include "platform/placement/Twips.h"
#include "window/form/AfterFirstPaint.h"
#include "window/generation/GenerationPanels.h"
#include "window/generation/WordListChoice.h"
#include "window/localisation/LanguageCommands.h"
#include "window/MainWindow.h"
#include "window/masks/MaskListCommands.h"
#include "window/options/OptionBoxes.h"
#include "window/rules/SiteRulesCommands.h"
#include "window/WindowPlacement.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVersionNumber>

#include <QLocale>

#include <array>
#include <initializer_list>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

namespace Name = Settings::Name;

// "Tessaro 1.1": the title and the major and minor version.
void setCaption(MainWindow &window)
{
    const QVersionNumber version = QVersionNumber::fromString(QStringLiteral(TESSARO_VERSION));
    window.setWindowTitle(u"Tessaro "_s + QVersionNumber(version.majorVersion(), version.minorVersion()).toString());
}

// Where the program is installed: the running executable, under the
// maker's key, for other programs to find. Written only when it changed,
// since every write of the store costs a synced rewrite of its file.
void writeInstallPath(MainWindow &)
{
    SetRegValues(RegistryRoot::CurrentUser, Settings::MakerKey,
                 {{Settings::InstallPathValue, ProgramFolder::executablePath()}}, RegWrite::Changed);
}

// A stored position in twips as a number, or nothing when it is not one.
std::optional<double> storedTwips(QLatin1String name)
{
    const QString text = Settings::read(name).trimmed();
    bool isNumber = false;
    const double value = QLocale::c().toDouble(text, &isNumber);
    if (text.isEmpty() || !isNumber)
        return std::nullopt;
    return value;
}

// The window where it was left (Left and Top in twips), or centred on the
// screen when no position is stored. A window that would show less than
// half of itself, or not its title bar, is brought back (WindowPlacement).
void restorePosition(MainWindow &window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QString left = Settings::read(Name::Left);
    const QString top = Settings::read(Name::Top);
    QPoint position = window.pos();
    if (left.isEmpty())
        position.setX(area.x() + (area.width() - window.width()) / 2);
    else if (const std::optional<double> twips = storedTwips(Name::Left))
        position.setX(qRound(Twips::toPixels(*twips, screen->logicalDotsPerInchX())));
    if (top.isEmpty())
        position.setY(area.y() + (area.height() - window.height()) / 2);
    else if (const std::optional<double> twips = storedTwips(Name::Top))
        position.setY(qRound(Twips::toPixels(*twips, screen->logicalDotsPerInchY())));

    // The frame is not known before the window shows: count a usual one.
    QList<QRect> screens;
    for (const QScreen *each : QGuiApplication::screens())
        screens.append(each->availableGeometry());
    const QSize frame = window.size().grownBy(WindowPlacement::kFrameMargins);
    window.move(WindowPlacement::reachablePosition(QRect(position, frame), screens));
}

// Every setting that reads as empty gets its start-up default, all in one
// write of the store: each write rewrites the whole file. A store that
// cannot be written is reported once, over the window; the program goes on
// with what it could read and the defaults.
void writeMissingDefaults(MainWindow &window)
{
    const bool written = Settings::writeMissingDefaults();
    const RegStoreProblem problem = FindRegStoreProblem(RegistryRoot::CurrentUser, Settings::Key, !written);
    if (problem.reason.isEmpty())
        return;
    afterFirstPaint(window, [&window, problem] {
        window.services().messages->show(
            {Localisation::text("Message19"_L1).arg(QDir::toNativeSeparators(problem.file), problem.reason),
             Localisation::text("Title04"_L1), MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Exclamation});
    });
}

// One row per language file in the language box, which the first frame
// does not show.
void fillLanguageList(MainWindow &window)
{
    afterFirstPaint(window, [&window] { Language::FillLanguageList(*window.form().LCombo, false); });
}

// The saved masks in the mask box; a user without a list of their own gets
// the starter list first.
void loadMaskList(MainWindow &window)
{
    ProgramFolder::ensureUserMaskList();
    MaskList::LoadMasks(*window.form().mCombo);
}

// The language the window's texts come from, applied to every caption.
void restoreLanguage(MainWindow &window)
{
    window.form().LCombo->setEditText(Settings::readOrDefault(Name::Language));
    Language::ApplyLanguage(window.form(), window.toolBand());
}

// Each field shows its setting, or the setting's default when it is empty.
void restoreFields(std::initializer_list<std::pair<QLatin1String, QLineEdit *>> fields)
{
    for (const auto &[name, edit] : fields)
        edit->setText(Settings::readOrDefault(name));
}

// The five mask symbols, shown in the Mask Options fields.
void restoreMaskSymbols(MainWindow &window)
{
    const Form &form = window.form();
    restoreFields({{Name::uMask, form.upEdit},
                   {Name::lMask, form.loEdit},
                   {Name::nMask, form.nuEdit},
                   {Name::sMask, form.spEdit},
                   {Name::iMask, form.iEdit}});
}

// Every option box from its setting, with each box's start-up effect.
void restoreOptionBoxes(MainWindow &window)
{
    OptionBoxes::restoreBoxes(
        window.form(), [&window](OptionBoxes::Effect effect, int state) { window.applyOptionEffect(effect, state); });
}

// Default (0) or custom (1) generation; the character-class fields stay
// disabled unless custom generation is chosen.
void restoreGenerationMode(MainWindow &window)
{
    const Form &form = window.form();
    const QString stored = Settings::readOrDefault(Name::GenOpt);
    bool isNumber = false;
    const double value = stored.trimmed().toDouble(&isNumber);
    const int mode = isNumber && value >= -32768.5 && value < 32767.5 ? qRound(value) : 0;
    if (mode == 0) {
        form.dOption->setChecked(true);
    } else if (mode == 1) {
        form.cOption->setChecked(true);
        GenerationPanels::ChooseCustomGeneration(form);
    }
}

// The four character classes, shown in the Generation Options fields.
void restoreCharacterClasses(MainWindow &window)
{
    const Form &form = window.form();
    restoreFields({{Name::AlphaU, form.uEdit},
                   {Name::AlphaL, form.lEdit},
                   {Name::Numeric, form.nEdit},
                   {Name::Special, form.sEdit}});
}

// The word symbol and list, which stay empty when they are (no word symbol,
// the shipped list), and the count of words.
void restoreWords(MainWindow &window)
{
    const Form &form = window.form();
    form.wEdit->setText(Settings::read(Name::wMask));
    form.wlEdit->setText(Settings::read(Name::Words));
    WordListChoice::ShowWordCount(form);
}

// The last mask, or the first saved mask when none is stored; selected, so
// that typing in the box, which has the focus, replaces it.
void restoreLastMask(MainWindow &window)
{
    QComboBox &mask = *window.form().mCombo;
    const QString stored = Settings::read(Name::String);
    mask.setEditText(stored.isEmpty() ? (mask.count() > 0 ? mask.itemText(0) : QString()) : stored);
    mask.lineEdit()->selectAll();
}

// The last number generated, or 1.
void restoreLastCount(MainWindow &window)
{
    const QString stored = Settings::read(Name::Generate);
    window.form().spinner->setText(stored.isEmpty() ? u"1"_s : stored);
}

// The last site rules and their length, read when the panel first opens.
void restoreLastRules(MainWindow &window)
{
    SiteRulesPanel::RestoreLastRules(window.form());
}

// The About panel's maker line, credits and the maker's site.
void fillAboutPanel(const Form &form)
{
    Language::ShowAboutTexts(form);
    const QString site = SiteAddress::siteUrl().toString();
    form.kmflnk->setText(site);
    form.kmflnk->setProperty("url", site);
}

// The About panel's texts, which the first frame does not show.
void setAboutTexts(MainWindow &window)
{
    afterFirstPaint(window, [&window] { fillAboutPanel(window.form()); });
}

// The meter beside the mask box, for the mask and settings now shown.
void showMaskStrength(MainWindow &window)
{
    window.refreshStrength();
}

using Step = void (*)(MainWindow &);

// The steps in the order they run.
// The window's CommonDialog object is created with the window itself.
constexpr std::array kSteps{
    Step(setCaption),
    Step(writeInstallPath),
    Step(restorePosition),
    Step(writeMissingDefaults),
    Step(fillLanguageList),
    Step(loadMaskList),
    Step(restoreLanguage),
    Step(restoreMaskSymbols),
    Step(restoreLastMask),
    Step(restoreLastCount),
    Step(restoreLastRules),
    Step(restoreOptionBoxes),
    Step(restoreGenerationMode),
    Step(restoreCharacterClasses),
    Step(restoreWords),
    Step(setAboutTexts),
    Step(showMaskStrength),
};

} // namespace

namespace Startup {

void run(MainWindow &window)
{
    for (const Step step : kSteps)
        step(window);
}

} // namespace Startup
