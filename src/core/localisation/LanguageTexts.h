#pragma once

#include <QAnyStringView>
#include <QLatin1StringView>
#include <QString>

#include <span>

class IniFile;

// The texts the program reads from a language file, each with the English
// text it shows when the file lacks it or leaves it empty: a language file
// can change what a caption says, never leave a control without one.
namespace Localisation {

struct LanguageText
{
    QLatin1StringView section;
    QLatin1StringView key;
    QLatin1StringView english;
};

// Every section and key the program reads, in the order of the files.
std::span<const LanguageText> languageTexts();

// The English text of a key, or the empty text for a key the program does
// not read.
QString englishText(QAnyStringView section, QAnyStringView key);

// The value of section/key in the language file at path (ReadIniValue), or
// its English text when the file, the key or the value is missing. A value
// is one line: "\n" (a backslash and an n) in it stands for a line break.
QString textOrEnglish(const QString &languageFile, const QString &section, const QString &key);

// The same from a language file read once, for reading many keys.
QString textOrEnglish(const IniFile &languageFile, const QString &section, const QString &key);

// The text of a key (its section is the table's) in the language stored as
// Language, read from its file now, or the English text: for the texts
// shown now and then (messages, dialogs, the notice), not worth keeping.
QString text(QLatin1StringView key);

// From now on text() gives the English texts: for tessaro-cli, whose
// messages stay English whatever language the window uses.
void useEnglishOnly();

// The English text of a key, whatever its section.
QString englishText(QLatin1StringView key);

} // namespace Localisation
