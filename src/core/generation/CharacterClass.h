#pragma once

#include <QString>

#include <vector>

// An ordered set of characters that a mask symbol draws from. A character
// that occurs twice is twice as likely; characters outside the Basic
// Multilingual Plane count as one character each.
class CharacterClass
{
public:
    CharacterClass() = default;
    explicit CharacterClass(const QString &characters);

    bool isEmpty() const { return m_points.empty(); }
    quint32 size() const { return quint32(m_points.size()); }
    char32_t at(quint32 index) const { return m_points[index]; }
    // For classes of at most 256 characters in the Basic Multilingual Plane:
    // the characters as UTF-16 units and the draw's rejection threshold.
    bool isSmall() const { return !m_units.empty(); }
    const char16_t *units() const { return m_units.data(); }
    quint32 threshold() const { return m_threshold; }
    bool basicPlaneOnly() const { return m_basicPlaneOnly; }
    // The largest number of UTF-16 units one drawn character takes.
    int maxUnits() const { return m_basicPlaneOnly ? 1 : 2; }

    // The classes of default generation.
    static const CharacterClass &defaultUpper();  // A to Z
    static const CharacterClass &defaultLower();  // a to z
    static const CharacterClass &defaultDigits(); // 0 to 9
    // The visible characters of Windows-1252 codes 123 to 255: all but the
    // control and undefined codes 127, 129, 141, 143, 144, 157 and the
    // no-break space (160) and soft hyphen (173), which cannot be seen.
    static const CharacterClass &defaultSpecial();

private:
    std::vector<char32_t> m_points;
    std::vector<char16_t> m_units;
    quint32 m_threshold = 0;
    bool m_basicPlaneOnly = true;
};
