#include "window/localisation/LanguageCommands.h"

#include "core/common/ProgramFolder.h"
#include "core/localisation/LanguageFiles.h"
#include "core/localisation/LanguageTexts.h"
#include "core/settings/IniReader.h"
#include "core/settings/SettingsTable.h"
#include "platform/messages/MessageBoxes.h"
#include "window/form/FittedCaption.h"
#include "window/form/Form.h"
#include "window/form/StrengthMeter.h"
#include "window/generation/WordListChoice.h"
#include "window/localisation/QtTranslation.h"
#include "window/results/ResultListView.h"
#include "window/rules/SiteRulesCommands.h"
#include "window/toolbar/ToolBand.h"
#include "window/toolbar/ToolCodes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace Language {

namespace {

namespace Name = Settings::Name;

// The texts of one language file, read once; a text it lacks or leaves
// empty is the English one.
class LanguageFile
{
public:
    explicit LanguageFile(const QString &path) : m_file(path) {}
    QString text(const QString &section, const QString &key) const
    {
        return Localisation::textOrEnglish(m_file, section, key);
    }

private:
    IniFile m_file;
};

// Every tool's whole caption under its code, which the menu commands
// compare: one write of the store, and none when they are already stored.
void storeToolCaptions(const ToolBand &tools)
{
    QList<RegValue> captions;
    for (const ToolCode &tool : kToolCodes) {
        if (const QAction *action = tools.tool(tool.index))
            captions.append({tool.code, FittedCaption::of(*action)});
    }
    Settings::writeAll(captions);
}

} // namespace

QString platformText()
{
#if defined(Q_OS_WIN)
    return u"98/ME/2K/XP"_s;
#elif defined(Q_OS_MACOS)
    return u"macOS"_s;
#else
    return u"Linux"_s;
#endif
}

void FillLanguageList(QComboBox &languages, bool keepExtension)
{
    const QStringList names = Localisation::languageNames(keepExtension);
    const QString text = languages.currentText();
    languages.clear();
    for (const QString &name : names)
        languages.addItem(name);
    languages.setEditText(text);
}

void ApplyLanguage(const Form &f, const ToolBand &tools)
{
    using FittedCaption::Room;
    const LanguageFile file(ProgramFolder::languageFile(Settings::read(Name::Language)));
    const auto buttons = [&](const char *key) { return file.text(u"Buttons"_s, QLatin1StringView(key)); };
    const auto menu = [&](const char *key) { return file.text(u"Menu"_s, QLatin1StringView(key)); };
    const auto label = [&](const char *key) { return file.text(u"Label"_s, QLatin1StringView(key)); };
    const auto tip = [&](const char *key) { return file.text(u"Tip"_s, QLatin1StringView(key)); };
    const auto show = [](QWidget *control, const QString &caption, Room room = Room::Line) {
        FittedCaption::show(*control, caption, room);
    };

    QtTranslation::use(file.text(u"Language"_s, u"Locale"_s));
    MessageBoxes::setErrorTitle(file.text(u"Title"_s, u"Title01"_s));

    FittedCaption::setToolTip(*f.gButton, tip("Tip01"));
    FittedCaption::setToolTip(*f.cButton, tip("Tip02"));
    FittedCaption::setToolTip(*f.SButton, tip("Tip03"));
    f.addButton->setToolTip(tip("Tip04"));
    f.sudButton->setToolTip(tip("Tip05"));
    show(f.gButton, buttons("Button01"), Room::Command);
    show(f.cButton, buttons("Button02"), Room::Command);
    show(f.SButton, buttons("Button03"), Room::Command);
    show(f.fButton, buttons("Button04"), Room::Command);

    // The menu bar's titles: tools 1, 4 and 14.
    for (const auto &[index, key] : {std::pair{1, "Bar02"}, std::pair{4, "Bar01"}, std::pair{14, "Bar03"}}) {
        if (QAction *title = tools.tool(index))
            FittedCaption::show(*title, file.text(u"Bar"_s, QLatin1StringView(key)));
    }
    // Each tool's caption, and the panel it opens, which shares it.
    for (const ToolCode &tool : kToolCodes) {
        const QString caption = menu(tool.languageKey);
        if (QAction *action = tools.tool(tool.index)) {
            if (tool.toolTipKey)
                FittedCaption::setToolTip(*action, tip(tool.toolTipKey));
            FittedCaption::show(*action, caption);
        }
        if (tool.panel)
            show(f.*tool.panel, caption);
    }
    storeToolCaptions(tools);

    show(f.mFrame, file.text(u"Frame"_s, u"Frame01"_s));
    f.genList->setColumnCaption(file.text(u"List"_s, u"List01"_s));

    show(f.ACu, label("Label01"));
    show(f.Slm, label("Label02"));
    show(f.slg, label("Label03"));
    show(f.Kot, label("Label04"));
    show(f.ccl, label("Label05"));
    show(f.ASg, label("Label06"));
    show(f.ccb, label("Label07"));
    show(f.soo, label("Label08"));
    show(f.Xs, label("Label09"));
    show(f.cca, label("Label20"));
    for (const auto &[key, labels] :
         {std::pair{"Label11", std::array{f.ucLabel, f.uLabel}}, std::pair{"Label12", std::array{f.lLabel, f.lcLabel}},
          std::pair{"Label13", std::array{f.nLabel, f.nuLabel}},
          std::pair{"Label14", std::array{f.sLabel, f.spLabel}}}) {
        const QString t = label(key);
        for (QLabel *each : labels)
            show(each, t, Room::Label);
    }
    // The word and look-alike controls.
    show(f.wLabel, label("Label21"), Room::Label);
    show(f.wcp, label("Label22"));
    show(f.wlLabel, label("Label23"), Room::Label);
    f.wcLabel->setProperty("caption", label("Label24"));
    show(f.nla, label("Label25"));
    f.wlEdit->setPlaceholderText(label("Label26"));
    f.wEdit->setPlaceholderText(label("Label27"));
    WordListChoice::NameShippedLists(f, {label("Label26"), label("Label28"), buttons("Button05")});
    show(f.wlButton, buttons("Button05"), Room::Command);
    WordListChoice::ShowWordCount(f);
    show(f.aP, label("Label15") + u" Tessaro"_s);
    show(f.aV, label("Label16") + u" " TESSARO_VERSION ""_s);
    show(f.aPl, label("Label17") + u' ' + platformText());
    show(f.aR, label("Label18") + u" 07/02/2005"_s);
    show(f.lngLabel, label("Label10"), Room::Label);
    show(f.iLabel, label("Label19"), Room::Label);
    show(f.dOption, file.text(u"Option"_s, u"Option01"_s));
    show(f.cOption, file.text(u"Option"_s, u"Option02"_s));

    // The Site Rules panel.
    show(f.ruLabel, label("Label29"), Room::Label);
    show(f.rlLabel, label("Label30"), Room::Label);
    show(f.rnLabel, label("Label31"), Room::Label);
    f.ruEdit->setPlaceholderText(label("Label33"));
    show(f.rgButton, buttons("Button01"), Room::Command);
    FittedCaption::setToolTip(*f.rgButton, tip("Tip08"));
    SiteRulesPanel::useLanguage(f, label("Label32"), file.text(u"Language"_s, u"Locale"_s));

    std::array<QString, 4> words;
    for (int r = 0; r < 4; ++r)
        words[size_t(r)] = file.text(MaskStrength::LanguageSection, MaskStrength::languageKey(MaskStrength::Rating(r)));
    for (StrengthMeter *meter : {f.strengthMeter, f.rsMeter}) {
        meter->setWords(words);
        meter->setPhrases(file.text(MaskStrength::LanguageSection, u"Strength05"_s),
                          file.text(MaskStrength::LanguageSection, u"Strength06"_s));
    }
    if (!f.aC->text().isEmpty())
        ShowAboutTexts(f); // start-up shows them after the first painting
}

void ShowAboutTexts(const Form &form)
{
    FittedCaption::show(*form.aC, Localisation::text("About01"_L1), FittedCaption::Room::Line);
    form.aK->setPlainText(Localisation::text("About02"_L1));
}

bool ApplyChosenLanguage(const Form &form, const ToolBand &tools, MessageBoxes &messages)
{
    const QString chosen = form.LCombo->currentText();
    const QString path = ProgramFolder::languageFile(chosen);
    if (!QFileInfo(path).isFile()) {
        // A misspelt name would otherwise be stored and shown in English
        // from now on: the user is told, and the panel stays open.
        messages.showError(Localisation::text("Message16"_L1).arg(chosen, QDir::toNativeSeparators(path)));
        return false;
    }
    Settings::write(Name::Language, chosen);
    ApplyLanguage(form, tools);
    return true;
}

} // namespace Language
