#pragma once

#include <QHash>
#include <QString>

// Reads one value of an INI-style profile file (the language files):
//  - section and key names match without regard to case;
//  - the value is the text after the first '=', blanks trimmed, with one
//    pair of enclosing double or single quotation marks dropped;
//  - at most 749 characters of it are returned.
// A missing file, section or key gives the empty text. The file is read as
// UTF-8 when valid, otherwise as Windows-1252, and never created or changed.
QString ReadIniValue(const QString &section, const QString &key, const QString &filePath);

// The longest value ReadIniValue returns.
inline constexpr qsizetype kIniValueMaxLength = 749;

// A profile file read once, for many lookups by the rules of ReadIniValue:
// where a section and key occur more than once, the first one counts.
class IniFile
{
public:
    explicit IniFile(const QString &filePath);

    QString value(const QString &section, const QString &key) const;

private:
    QHash<QString, QString> m_values; // by section and key in folded case
};
