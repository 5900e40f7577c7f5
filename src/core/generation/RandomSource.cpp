#include "core/generation/RandomSource.h"

#include <sodium.h>

#include <cstdlib>

RandomSource::RandomSource()
{
    if (sodium_init() < 0)
        std::abort(); // no secure random source: refuse to make passwords
    randombytes_buf(m_key.data(), m_key.size());
}

RandomSource::RandomSource(const Key &key) : m_key(key)
{
    if (sodium_init() < 0)
        std::abort();
}

RandomSource::~RandomSource()
{
    sodium_memzero(m_key.data(), m_key.size());
    sodium_memzero(m_buffer.data(), m_buffer.size());
}

void RandomSource::refill()
{
    unsigned char nonce[crypto_stream_chacha20_NONCEBYTES] = {};
    static_assert(sizeof(nonce) == sizeof(m_nonce));
    const quint64 counter = m_nonce++;
    for (std::size_t i = 0; i < sizeof(nonce); ++i)
        nonce[i] = static_cast<unsigned char>(counter >> (8 * i));
    crypto_stream_chacha20(m_buffer.data(), m_buffer.size(), nonce, m_key.data());
    m_position = 0;
}

quint32 RandomSource::nextWord()
{
    quint32 word = 0;
    for (int i = 0; i < 4; ++i)
        word = (word << 8) | nextByte();
    return word;
}

quint32 RandomSource::belowLarge(quint32 bound)
{
    quint64 product = quint64(nextWord()) * bound;
    quint32 low = quint32(product);
    if (low < bound) {
        const quint32 threshold = (0u - bound) % bound;
        while (low < threshold) {
            product = quint64(nextWord()) * bound;
            low = quint32(product);
        }
    }
    return quint32(product >> 32);
}
