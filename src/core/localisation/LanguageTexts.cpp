#include "core/localisation/LanguageTexts.h"

#include "core/settings/IniReader.h"

#include <array>

using namespace Qt::StringLiterals;

namespace Localisation {

namespace {

// clang-format off
constexpr std::array kTexts{
    LanguageText{"Buttons"_L1, "Button01"_L1, "Generate"_L1},
    LanguageText{"Buttons"_L1, "Button02"_L1, "Clear"_L1},
    LanguageText{"Buttons"_L1, "Button03"_L1, "Save"_L1},
    LanguageText{"Buttons"_L1, "Button04"_L1, "File"_L1},
    LanguageText{"Buttons"_L1, "Button05"_L1, "Choose..."_L1},
    LanguageText{"Menu"_L1, "Menu01"_L1, "Program Options"_L1},
    LanguageText{"Menu"_L1, "Menu02"_L1, "Generation Options"_L1},
    LanguageText{"Menu"_L1, "Menu03"_L1, "Mask Options"_L1},
    LanguageText{"Menu"_L1, "Menu04"_L1, "Minimize"_L1},
    LanguageText{"Menu"_L1, "Menu05"_L1, "Exit"_L1},
    LanguageText{"Menu"_L1, "Menu06"_L1, "Help"_L1},
    LanguageText{"Menu"_L1, "Menu07"_L1, "Contents"_L1},
    LanguageText{"Menu"_L1, "Menu08"_L1, "About"_L1},
    LanguageText{"Menu"_L1, "Menu09"_L1, "Copy Selected"_L1},
    LanguageText{"Menu"_L1, "Menu10"_L1, "Copy All"_L1},
    LanguageText{"Menu"_L1, "Menu11"_L1, "Interface Options"_L1},
    LanguageText{"Menu"_L1, "Menu12"_L1, "As Text"_L1},
    LanguageText{"Menu"_L1, "Menu13"_L1, "As CSV"_L1},
    LanguageText{"Frame"_L1, "Frame01"_L1, "Mask/Number To Generate"_L1},
    LanguageText{"List"_L1, "List01"_L1, "Generated Passwords"_L1},
    LanguageText{"List"_L1, "List02"_L1, "Generating"_L1},
    LanguageText{"Label"_L1, "Label01"_L1, "Auto-Check for update"_L1},
    LanguageText{"Label"_L1, "Label02"_L1, "Save last used mask"_L1},
    LanguageText{"Label"_L1, "Label03"_L1, "Save last number generated"_L1},
    LanguageText{"Label"_L1, "Label04"_L1, "Keep on top"_L1},
    LanguageText{"Label"_L1, "Label05"_L1, "Confirm clear"_L1},
    LanguageText{"Label"_L1, "Label06"_L1, "Auto-Save last generated password(s)"_L1},
    LanguageText{"Label"_L1, "Label07"_L1, "Clear Clipboard on exit"_L1},
    LanguageText{"Label"_L1, "Label08"_L1, "Sounds"_L1},
    LanguageText{"Label"_L1, "Label09"_L1, "XP Style"_L1},
    LanguageText{"Label"_L1, "Label10"_L1, "Language:"_L1},
    LanguageText{"Label"_L1, "Label11"_L1, "Upper Case:"_L1},
    LanguageText{"Label"_L1, "Label12"_L1, "Lower Case:"_L1},
    LanguageText{"Label"_L1, "Label13"_L1, "Numeric:"_L1},
    LanguageText{"Label"_L1, "Label14"_L1, "Special Characters:"_L1},
    LanguageText{"Label"_L1, "Label15"_L1, "Program:"_L1},
    LanguageText{"Label"_L1, "Label16"_L1, "Version:"_L1},
    LanguageText{"Label"_L1, "Label17"_L1, "Platform:"_L1},
    LanguageText{"Label"_L1, "Label18"_L1, "Released:"_L1},
    LanguageText{"Label"_L1, "Label19"_L1, "Incrementing Numbers:"_L1},
    LanguageText{"Label"_L1, "Label20"_L1, "Clear clipboard after 10 seconds"_L1},
    LanguageText{"Label"_L1, "Label21"_L1, "Words:"_L1},
    LanguageText{"Label"_L1, "Label22"_L1, "Capitalise words"_L1},
    LanguageText{"Label"_L1, "Label23"_L1, "Word list:"_L1},
    LanguageText{"Label"_L1, "Label24"_L1, "%1 words"_L1},
    LanguageText{"Label"_L1, "Label25"_L1, "Leave out look-alike characters"_L1},
    LanguageText{"Label"_L1, "Label26"_L1, "Shipped English list"_L1},
    LanguageText{"Option"_L1, "Option01"_L1, "Use default generation"_L1},
    LanguageText{"Option"_L1, "Option02"_L1, "Use custom generation"_L1},
    LanguageText{"Strength"_L1, "Strength01"_L1, "Poor"_L1},
    LanguageText{"Strength"_L1, "Strength02"_L1, "Weak"_L1},
    LanguageText{"Strength"_L1, "Strength03"_L1, "Good"_L1},
    LanguageText{"Strength"_L1, "Strength04"_L1, "Excellent"_L1},
};
// clang-format on

} // namespace

std::span<const LanguageText> languageTexts()
{
    return kTexts;
}

QString englishText(QAnyStringView section, QAnyStringView key)
{
    for (const LanguageText &text : kTexts) {
        if (QAnyStringView::compare(section, text.section, Qt::CaseInsensitive) == 0 &&
            QAnyStringView::compare(key, text.key, Qt::CaseInsensitive) == 0)
            return text.english;
    }
    return {};
}

QString textOrEnglish(const QString &languageFile, const QString &section, const QString &key)
{
    return textOrEnglish(IniFile(languageFile), section, key);
}

QString textOrEnglish(const IniFile &languageFile, const QString &section, const QString &key)
{
    const QString value = languageFile.value(section, key);
    return value.isEmpty() ? englishText(section, key) : value;
}

} // namespace Localisation
