#include "localisation/LanguageCommands.h"

#include "common/ProgramFolder.h"
#include "generation/WordListChoice.h"
#include "localisation/LanguageFiles.h"
#include "MainWindow.h"
#include "results/ResultListView.h"
#include "settings/IniReader.h"
#include "settings/SettingsTable.h"
#include "strength/StrengthMeter.h"
#include "toolbar/ToolBand.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace Language {

namespace {

namespace Name = Settings::Name;

// The texts of one language file.
class LanguageFile
{
public:
    explicit LanguageFile(QString path) : m_path(std::move(path)) {}
    QString text(const QString &section, const QString &key) const { return ReadIniValue(section, key, m_path); }

private:
    QString m_path;
};

// A tool's caption and its stored value, which the menu commands compare.
void setTool(MainWindow &window, int index, QLatin1String code, const QString &caption)
{
    if (QAction *tool = window.toolBand().tool(index))
        tool->setText(caption);
    Settings::write(code, caption);
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

void ApplyLanguage(MainWindow &window)
{
    const Form &f = window.form();
    const LanguageFile file(ProgramFolder::languageFile(Settings::read(Name::Language)));
    const auto buttons = [&](const char *key) { return file.text(u"Buttons"_s, QLatin1StringView(key)); };
    const auto menu = [&](const char *key) { return file.text(u"Menu"_s, QLatin1StringView(key)); };
    const auto label = [&](const char *key) { return file.text(u"Label"_s, QLatin1StringView(key)); };

    f.gButton->setText(buttons("Button01"));
    f.cButton->setText(buttons("Button02"));
    f.SButton->setText(buttons("Button03"));
    f.fButton->setText(buttons("Button04"));

    QString t = menu("Menu01");
    f.oFrame->setTitle(t);
    setTool(window, 5, Name::TPO, t);
    t = menu("Menu02");
    f.gFrame->setTitle(t);
    setTool(window, 6, Name::TGO, t);
    t = menu("Menu03");
    f.sFrame->setTitle(t);
    setTool(window, 7, Name::TMO, t);
    setTool(window, 8, Name::TMI, menu("Menu04"));
    setTool(window, 9, Name::TXI, menu("Menu05"));
    setTool(window, 10, Name::THL, menu("Menu06"));
    setTool(window, 11, Name::TCO, menu("Menu07"));
    t = menu("Menu08");
    f.aFrame->setTitle(t);
    setTool(window, 12, Name::TAO, t);
    t = menu("Menu11");
    f.iFrame->setTitle(t);
    setTool(window, 13, Name::TIO, t);
    setTool(window, 2, Name::TCS, menu("Menu09"));
    setTool(window, 3, Name::TCA, menu("Menu10"));
    setTool(window, 15, Name::TAT, menu("Menu12"));
    setTool(window, 16, Name::TAC, menu("Menu13"));

    f.mFrame->setTitle(file.text(u"Frame"_s, u"Frame01"_s));
    f.genList->setColumnCaption(file.text(u"List"_s, u"List01"_s));

    f.ACu->setText(label("Label01"));
    f.Slm->setText(label("Label02"));
    f.slg->setText(label("Label03"));
    f.Kot->setText(label("Label04"));
    f.ccl->setText(label("Label05"));
    f.ASg->setText(label("Label06"));
    f.ccb->setText(label("Label07"));
    f.soo->setText(label("Label08"));
    f.Xs->setText(label("Label09"));
    t = label("Label11");
    f.ucLabel->setText(t);
    f.uLabel->setText(t);
    t = label("Label12");
    f.lLabel->setText(t);
    f.lcLabel->setText(t);
    t = label("Label13");
    f.nLabel->setText(t);
    f.nuLabel->setText(t);
    t = label("Label14");
    f.sLabel->setText(t);
    f.spLabel->setText(t);
    f.aP->setText(label("Label15") + u" Tessaro"_s);
    f.aV->setText(label("Label16") + u' ' +
                  u"%1.%2.%3"_s.arg(TESSARO_VERSION_MAJOR).arg(TESSARO_VERSION_MINOR).arg(TESSARO_VERSION_PATCH));
    f.aPl->setText(label("Label17") + u' ' + platformText());
    f.aR->setText(label("Label18") + u" 07/02/2005"_s);
    f.lngLabel->setText(label("Label10"));
    f.iLabel->setText(label("Label19"));
    f.dOption->setText(file.text(u"Option"_s, u"Option01"_s));
    f.cOption->setText(file.text(u"Option"_s, u"Option02"_s));

    // Beyond the captions every language file has: the clipboard timer's
    // box keeps its English caption unless the file translates it, and the
    // meter's words fall back to English one by one.
    const QString clearAfter = label("Label20");
    f.cca->setText(clearAfter.isEmpty() ? u"Clear clipboard after 10 seconds"_s : clearAfter);
    // The word and look-alike controls: a file without their keys shows
    // the English file's captions.
    const LanguageFile english(ProgramFolder::languageFile(u"English"_s));
    const auto orEnglish = [&](const QString &section, const char *key) {
        const QString text = file.text(section, QLatin1StringView(key));
        return text.isEmpty() ? english.text(section, QLatin1StringView(key)) : text;
    };
    f.wLabel->setText(orEnglish(u"Label"_s, "Label21"));
    f.wcp->setText(orEnglish(u"Label"_s, "Label22"));
    f.wlLabel->setText(orEnglish(u"Label"_s, "Label23"));
    f.wcLabel->setProperty("caption", orEnglish(u"Label"_s, "Label24"));
    f.nla->setText(orEnglish(u"Label"_s, "Label25"));
    f.wlEdit->setPlaceholderText(orEnglish(u"Label"_s, "Label26"));
    f.wlButton->setText(orEnglish(u"Buttons"_s, "Button05"));
    WordListChoice::ShowWordCount(f);
    std::array<QString, 4> words;
    for (int r = 0; r < 4; ++r) {
        const auto rating = MaskStrength::Rating(r);
        const QString word = file.text(MaskStrength::LanguageSection, MaskStrength::languageKey(rating));
        words[size_t(r)] = word.isEmpty() ? MaskStrength::englishWord(rating) : word;
    }
    f.strengthMeter->setWords(words);
}

void ApplyChosenLanguage(MainWindow &window)
{
    Settings::write(Name::Language, window.form().LCombo->currentText());
    ApplyLanguage(window);
    window.closePanel(*window.form().iFrame);
}

} // namespace Language
