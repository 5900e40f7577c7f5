#pragma once

#include <QtGlobal>

#include <array>
#include <cstdint>

// Cryptographically secure random choices: a ChaCha20 keystream whose key
// comes from the operating system's random source (getrandom), read in large
// blocks. Choices are exactly uniform: values that would bias a choice are
// rejected and drawn again, never folded in with a modulo.
class RandomSource
{
public:
    using Key = std::array<unsigned char, 32>;
    // A new key from the operating system.
    RandomSource();
    // The keystream of a given key: the same draws every time (for tests).
    explicit RandomSource(const Key &key);
    ~RandomSource();
    RandomSource(const RandomSource &) = delete;
    RandomSource &operator=(const RandomSource &) = delete;

    // A uniform whole number in [0, bound); bound must be at least 1.
    quint32 below(quint32 bound)
    {
        if (bound <= 256)
            return belowSmall(bound, smallThreshold(bound));
        return belowLarge(bound);
    }

    // The rejection threshold of belowSmall, for callers that draw from the
    // same bound many times.
    static constexpr quint32 smallThreshold(quint32 bound) { return (256u - bound) % bound; }

    // Lemire's multiply-and-reject on one byte, for bounds of at most 256:
    // products whose low byte falls below the threshold are drawn again.
    quint32 belowSmall(quint32 bound, quint32 threshold)
    {
        quint32 product = quint32(nextByte()) * bound;
        while ((product & 0xFFu) < threshold)
            product = quint32(nextByte()) * bound;
        return product >> 8;
    }

private:
    quint8 nextByte()
    {
        if (m_position == m_buffer.size())
            refill();
        return m_buffer[m_position++];
    }

    quint32 belowLarge(quint32 bound);
    quint32 nextWord();
    void refill();

    static constexpr std::size_t kBlockSize = 64 * 1024;
    std::array<quint8, kBlockSize> m_buffer;
    std::size_t m_position = kBlockSize;
    Key m_key;
    quint64 m_nonce = 0;
};
