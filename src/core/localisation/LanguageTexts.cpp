#include "core/localisation/LanguageTexts.h"

#include "core/common/ProgramFolder.h"
#include "core/settings/IniReader.h"
#include "core/settings/SettingsTable.h"

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
    LanguageText{"Menu"_L1, "Menu14"_L1, "Site Rules"_L1},
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
    LanguageText{"Label"_L1, "Label27"_L1, "none"_L1},
    LanguageText{"Label"_L1, "Label28"_L1, "Shipped German list"_L1},
    LanguageText{"Label"_L1, "Label29"_L1, "Rules or site:"_L1},
    LanguageText{"Label"_L1, "Label30"_L1, "Length:"_L1},
    LanguageText{"Label"_L1, "Label31"_L1, "Number to generate:"_L1},
    LanguageText{"Label"_L1, "Label32"_L1, "%1 passwords of this length"_L1},
    LanguageText{"Label"_L1, "Label33"_L1, "minlength: 8; required: upper; required: digit; or a site, such as example.com"_L1},
    LanguageText{"Option"_L1, "Option01"_L1, "Use default generation"_L1},
    LanguageText{"Option"_L1, "Option02"_L1, "Use custom generation"_L1},
    LanguageText{"Strength"_L1, "Strength01"_L1, "Poor"_L1},
    LanguageText{"Strength"_L1, "Strength02"_L1, "Weak"_L1},
    LanguageText{"Strength"_L1, "Strength03"_L1, "Good"_L1},
    LanguageText{"Strength"_L1, "Strength04"_L1, "Excellent"_L1},
    LanguageText{"Strength"_L1, "Strength05"_L1, "%1 bits %2"_L1},
    LanguageText{"Strength"_L1, "Strength06"_L1, "at least %1 bits %2"_L1},
    LanguageText{"Bar"_L1, "Bar01"_L1, "&File"_L1},
    LanguageText{"Bar"_L1, "Bar02"_L1, "Edit"_L1},
    LanguageText{"Bar"_L1, "Bar03"_L1, "Save"_L1},
    LanguageText{"Tip"_L1, "Tip01"_L1, "Generate passwords"_L1},
    LanguageText{"Tip"_L1, "Tip02"_L1, "Clear list"_L1},
    LanguageText{"Tip"_L1, "Tip03"_L1, "Save list to file"_L1},
    LanguageText{"Tip"_L1, "Tip04"_L1, "Add mask to list"_L1},
    LanguageText{"Tip"_L1, "Tip05"_L1, "Remove mask from list"_L1},
    LanguageText{"Tip"_L1, "Tip06"_L1, "Copy selected password"_L1},
    LanguageText{"Tip"_L1, "Tip07"_L1, "Copy all passwords"_L1},
    LanguageText{"Tip"_L1, "Tip08"_L1, "Generate passwords these rules allow"_L1},
    LanguageText{"Title"_L1, "Title01"_L1, "Error"_L1},
    LanguageText{"Title"_L1, "Title02"_L1, "Are you sure?"_L1},
    LanguageText{"Title"_L1, "Title03"_L1, "Help"_L1},
    LanguageText{"Title"_L1, "Title04"_L1, "Settings"_L1},
    LanguageText{"Message"_L1, "Message01"_L1, "You need at least 4 characters \nbefore you can generate a password."_L1},
    LanguageText{"Message"_L1, "Message02"_L1, "The number to generate can't be blank, \nenter a number 1 or above."_L1},
    LanguageText{"Message"_L1, "Message03"_L1, "The number to generate can't be zero, \nenter a number 1 or above."_L1},
    LanguageText{"Message"_L1, "Message04"_L1, "The number to generate must be a whole number \nfrom 1 to 2,147,483,647."_L1},
    LanguageText{"Message"_L1, "Message05"_L1, "Are you sure you want to clear the list?"_L1},
    LanguageText{"Message"_L1, "Message06"_L1, "Could not save the file %1\n%2"_L1},
    LanguageText{"Message"_L1, "Message07"_L1, "File not found."_L1},
    LanguageText{"Message"_L1, "Message08"_L1, "Could not connect to web site."_L1},
    LanguageText{"Message"_L1, "Message09"_L1, "Could not create MSXML2 or MSXML parser for xml file."_L1},
    LanguageText{"Message"_L1, "Message10"_L1, "XML downloaded could not be parsed by XML parser."_L1},
    LanguageText{"Message"_L1, "Message11"_L1, "The text can't be blank, enter something and try again."_L1},
    LanguageText{"Message"_L1, "Message12"_L1, "The word symbol can't be one of the other mask symbols, enter another and try again."_L1},
    LanguageText{"Message"_L1, "Message13"_L1, "The word list %1 can't be used: %2."_L1},
    LanguageText{"Message"_L1, "Message14"_L1, "There is not enough memory to generate %1 passwords: \nthe batch needs %2 MB and %3 MB are available. Enter a smaller number."_L1},
    LanguageText{"Message"_L1, "Message15"_L1, "The mask list could not be saved to %1.\n%2"_L1},
    LanguageText{"Message"_L1, "Message16"_L1, "There is no language file for \"%1\", so the language has not been changed.\n\nMissing file: %2"_L1},
    LanguageText{"Message"_L1, "Message17"_L1, "The help file %1 is missing."_L1},
    LanguageText{"Message"_L1, "Message18"_L1, "The help could not be opened: no web browser was found.\nThe help file is %1."_L1},
    LanguageText{"Message"_L1, "Message19"_L1, "Tessaro cannot save its settings in %1.\n%2\nIt goes on with the settings it could read and the defaults for the rest; changes to them will not be kept."_L1},
    LanguageText{"Message"_L1, "Message20"_L1, "Enter a website's password rules, or the name of a site."_L1},
    LanguageText{"Dialog"_L1, "Dialog01"_L1, "Save Text File"_L1},
    LanguageText{"Dialog"_L1, "Dialog02"_L1, "Text Files (*.txt)"_L1},
    LanguageText{"Dialog"_L1, "Dialog03"_L1, "Save CSV File"_L1},
    LanguageText{"Dialog"_L1, "Dialog04"_L1, "CSV Files (*.csv)"_L1},
    LanguageText{"Dialog"_L1, "Dialog05"_L1, "Choose a word list"_L1},
    LanguageText{"Dialog"_L1, "Dialog06"_L1, "Word lists (*.txt)"_L1},
    LanguageText{"Dialog"_L1, "Dialog07"_L1, "All files (*)"_L1},
    LanguageText{"Notice"_L1, "Notice01"_L1, "Tessaro - New Version"_L1},
    LanguageText{"Notice"_L1, "Notice02"_L1, "Current version: %1"_L1},
    LanguageText{"Notice"_L1, "Notice03"_L1, "Version %1 is now available.\nClick here to go to the \nBrasmoor site."_L1},
    LanguageText{"About"_L1, "About01"_L1, "Made by Brasmoor"_L1},
    LanguageText{"About"_L1, "About02"_L1, "Thanks to the Tessaro team for the Spanish (Spain) translation.\nThe version check is done with Qt, by The Qt Company (https://www.qt.io).\nThe English word list is the EFF large word list, by the Electronic Frontier Foundation (https://www.eff.org), under CC BY 3.0 US.\nThe German word list is the German diceware list by Uli Fouquet (https://github.com/ulif/diceware), under CC BY 3.0.\nThe websites' password rules are from Apple's password-manager-resources (https://github.com/apple/password-manager-resources), under the MIT licence."_L1},
    LanguageText{"Reason"_L1, "Reason01"_L1, "it is larger than 16 MiB"_L1},
    LanguageText{"Reason"_L1, "Reason02"_L1, "it has more than 1,000,000 lines"_L1},
    LanguageText{"Reason"_L1, "Reason03"_L1, "it is not UTF-8 text"_L1},
    LanguageText{"Reason"_L1, "Reason04"_L1, "it holds fewer than 2 different words"_L1},
    LanguageText{"Reason"_L1, "Reason05"_L1, "it can't be read (%1)"_L1},
    LanguageText{"Reason"_L1, "Reason06"_L1, "it is not a file"_L1},
    LanguageText{"Language"_L1, "Locale"_L1, "en"_L1},
};
// clang-format on

const LanguageText *rowOf(QLatin1StringView key)
{
    for (const LanguageText &text : kTexts) {
        if (QAnyStringView::compare(key, text.key, Qt::CaseInsensitive) == 0)
            return &text;
    }
    return nullptr;
}

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
    QString value = languageFile.value(section, key);
    if (value.isEmpty())
        return englishText(section, key);
    return value.replace("\\n"_L1, "\n"_L1);
}

QString englishText(QLatin1StringView key)
{
    const LanguageText *row = rowOf(key);
    return row ? QString(row->english) : QString();
}

namespace {
bool englishOnly = false;
} // namespace

void useEnglishOnly()
{
    englishOnly = true;
}

QString text(QLatin1StringView key)
{
    const LanguageText *row = rowOf(key);
    if (!row)
        return {};
    if (englishOnly)
        return row->english;
    const QString file = ProgramFolder::languageFile(Settings::read(Settings::Name::Language));
    return textOrEnglish(IniFile(file), row->section, row->key);
}

} // namespace Localisation
