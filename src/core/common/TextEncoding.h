#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace TextEncoding {

// The Unicode character of a Windows-1252 byte. Codes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of
// the same value, as Windows itself does.
char16_t fromWindows1252(unsigned char byte);

// Decodes a file's bytes: UTF-8 when they are valid UTF-8 (a byte-order
// mark is dropped), otherwise Windows-1252, the 8-bit code page that older
// files of the program were written in.
QString decodeFileText(const QByteArray &bytes);

// UTF-8 of UTF-16 text into out (room for 3 bytes a unit and 1 more);
// returns the bytes written. A lone surrogate becomes '?', as QString::toUtf8 makes it.
qsizetype toUtf8(const char16_t *text, qsizetype length, char *out);

} // namespace TextEncoding
