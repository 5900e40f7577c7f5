#include "core/common/TextEncoding.h"

#include <QStringDecoder>
#include <QtEndian>

#include <array>
#include <cstring>

namespace TextEncoding {

namespace {

// clang-format off
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

} // namespace

char16_t fromWindows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

QString decodeFileText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    text.resize(bytes.size());
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = fromWindows1252(static_cast<unsigned char>(bytes[i]));
    return text;
}

qsizetype toUtf8(const char16_t *text, qsizetype length, char *out)
{
    // Each unit of the Basic Multilingual Plane is encoded in all three
    // widths at once and the right one picked without a branch, then stored
    // as one 4-byte word: passwords mix ASCII and other characters at random,
    // which defeats branch prediction.
    char *cursor = out;
    for (qsizetype i = 0; i < length; ++i) {
        // Four ASCII units at a time where they come in a row.
        while (i + 4 <= length) {
            quint64 units;
            std::memcpy(&units, text + i, 8);
            units = qFromLittleEndian(units);
            if (units & 0xFF80FF80FF80FF80ull)
                break;
            const quint32 four = qToLittleEndian(quint32((units & 0xFF) | ((units >> 8) & 0xFF00) |
                                                         ((units >> 16) & 0xFF0000) | ((units >> 24) & 0xFF000000)));
            std::memcpy(cursor, &four, 4);
            cursor += 4;
            i += 4;
        }
        if (i == length)
            break;
        const quint32 u = text[i];
        if ((u & 0xF800) == 0xD800) [[unlikely]] {
            if (QChar::isHighSurrogate(u) && i + 1 < length && QChar::isLowSurrogate(text[i + 1])) {
                const char32_t point = QChar::surrogateToUcs4(char16_t(u), text[++i]);
                *cursor++ = char(0xF0 | (point >> 18));
                *cursor++ = char(0x80 | ((point >> 12) & 0x3F));
                *cursor++ = char(0x80 | ((point >> 6) & 0x3F));
                *cursor++ = char(0x80 | (point & 0x3F));
            } else {
                *cursor++ = '?';
            }
            continue;
        }
        const quint32 two = (0xC0 | (u >> 6)) | ((0x80 | (u & 0x3F)) << 8);
        const quint32 three = (0xE0 | (u >> 12)) | ((0x80 | ((u >> 6) & 0x3F)) << 8) | ((0x80 | (u & 0x3F)) << 16);
        const quint32 word = qToLittleEndian(u < 0x80 ? u : (u < 0x800 ? two : three));
        const qsizetype bytes = 1 + qsizetype(u >= 0x80) + qsizetype(u >= 0x800);
        std::memcpy(cursor, &word, 4);
        cursor += bytes;
    }
    return cursor - out;
}

} // namespace TextEncoding
