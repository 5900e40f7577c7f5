#include "core/settings/IniReader.h"

#include "core/common/TextEncoding.h"

#include <QFile>
#include <QStringView>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QStringView dropEnclosingQuotes(QStringView value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.sliced(1, value.size() - 2);
    }
    return value;
}

// "[name]" -> name, or a null view when the line is not a section heading.
QStringView sectionName(QStringView line)
{
    if (!line.startsWith(u'['))
        return {};
    const qsizetype close = line.indexOf(u']');
    if (close < 0)
        return {};
    return trimBlanks(line.sliced(1, close - 1));
}

QString lookupKey(QStringView section, QStringView key)
{
    return section.toString().toCaseFolded() + u'\n' + key.toString().toCaseFolded();
}

} // namespace

IniFile::IniFile(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = TextEncoding::decodeFileText(file.readAll());

    QStringView section;
    bool inSection = false;
    for (QStringView rawLine : QStringView(text).split(u'\n')) {
        const QStringView line = trimBlanks(rawLine.endsWith(u'\r') ? rawLine.chopped(1) : rawLine);
        const QStringView heading = sectionName(line);
        if (!heading.isNull()) {
            section = heading;
            inSection = true;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inSection || equals < 0)
            continue;
        const QString name = lookupKey(section, trimBlanks(line.first(equals)));
        if (m_values.contains(name))
            continue;
        const QStringView value = dropEnclosingQuotes(trimBlanks(line.sliced(equals + 1)));
        qsizetype length = qMin(value.size(), kIniValueMaxLength);
        if (length < value.size() && value[length - 1].isHighSurrogate())
            --length; // never half a character
        m_values.insert(name, value.first(length).toString());
    }
}

QString IniFile::value(const QString &section, const QString &key) const
{
    return m_values.value(lookupKey(section, key));
}

QString ReadIniValue(const QString &section, const QString &key, const QString &filePath)
{
    return IniFile(filePath).value(section, key);
}
