#include "core/generation/CharacterClass.h"

#include "core/common/TextEncoding.h"
#include "core/generation/RandomSource.h"

#include <QList>

CharacterClass::CharacterClass(const QString &characters)
{
    m_points.reserve(size_t(characters.size()));
    for (char32_t point : characters.toUcs4()) {
        m_points.push_back(point);
        if (point > 0xFFFF)
            m_basicPlaneOnly = false;
    }
    if (m_basicPlaneOnly && !m_points.empty() && m_points.size() <= 256) {
        m_units.assign(m_points.begin(), m_points.end());
        m_threshold = RandomSource::smallThreshold(quint32(m_points.size()));
    }
}

const CharacterClass &CharacterClass::defaultUpper()
{
    static const CharacterClass upper(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    return upper;
}

const CharacterClass &CharacterClass::defaultLower()
{
    static const CharacterClass lower(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    return lower;
}

const CharacterClass &CharacterClass::defaultDigits()
{
    static const CharacterClass digits(QStringLiteral("0123456789"));
    return digits;
}

const CharacterClass &CharacterClass::defaultSpecial()
{
    static const CharacterClass special = [] {
        QString characters;
        for (int code = 123; code <= 255; ++code) {
            switch (code) {
            case 127:
            case 129:
            case 141:
            case 143:
            case 144:
            case 157: // control or undefined
            case 160:
            case 173: // no-break space, soft hyphen
                continue;
            default:
                characters.append(QChar(TextEncoding::fromWindows1252(static_cast<unsigned char>(code))));
            }
        }
        return CharacterClass(characters);
    }();
    return special;
}
