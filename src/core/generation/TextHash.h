#pragma once

#include <QStringView>

#include <cstring>

// A 64-bit hash of a text's UTF-16: eight bytes at a time, multiply-xorshift
// mixing, fast on short texts and well spread in the upper half. Not keyed:
// it only sorts texts that are then compared whole.
inline quint64 textHash16(QStringView text)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.utf16());
    size_t remaining = size_t(text.size()) * sizeof(char16_t);
    quint64 h = 0x9E3779B97F4A7C15ull ^ remaining;
    while (remaining >= 8) {
        quint64 word;
        std::memcpy(&word, bytes, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
        bytes += 8;
        remaining -= 8;
    }
    if (remaining) {
        quint64 word = 0;
        std::memcpy(&word, bytes, remaining);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
    }
    h ^= h >> 32;
    h *= 0x94D049BB133111EBull;
    h ^= h >> 29;
    return h;
}
