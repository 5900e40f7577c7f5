#include "core/generation/PasswordFingerprint.h"

#include <QtEndian>

#include <sodium.h>

#include <cstdlib>
#include <cstring>

namespace {

__extension__ using Wide = unsigned __int128;

quint64 read64(const void *at)
{
    return qFromLittleEndian<quint64>(at);
}

quint64 read32(const void *at)
{
    return qFromLittleEndian<quint32>(at);
}

quint64 byteAt(const char *bytes, size_t index)
{
    return quint64(static_cast<unsigned char>(bytes[index])) << (8 * index);
}

// A short password's bytes in order, zeros after them and its length in the
// last byte, read as two words with overlapping loads; keyed and multiplied
// by an odd number modulo 2^128: one to one, and every input bit reaches
// the high half.
Fingerprint scrambled(const char *bytes, size_t length, const FingerprintKey &key)
{
    quint64 low = 0;
    quint64 high = quint64(length) << 56;
    if (length > 8) {
        low = read64(bytes);
        high |= read64(bytes + length - 8) >> (8 * (16 - length));
    } else if (length == 8) {
        low = read64(bytes);
    } else if (length >= 4) {
        low = read32(bytes) | (read32(bytes + length - 4) << (8 * (length - 4)));
    } else if (length > 0) {
        low = byteAt(bytes, 0) | byteAt(bytes, length / 2) | byteAt(bytes, length - 1);
    }
    constexpr Wide kOdd = (Wide(0x9E3779B97F4A7C15ull) << 64) | 0xD6E8FEB86659FD93ull;
    const Wide keyed = (Wide(high ^ read64(key.data() + 8)) << 64) | (low ^ read64(key.data()));
    const Wide value = keyed * kOdd;
    return {quint64(value >> 64), quint64(value)};
}

} // namespace

FingerprintKey newFingerprintKey()
{
    if (sodium_init() < 0)
        std::abort(); // no secure random source
    FingerprintKey key;
    randombytes_buf(key.data(), key.size());
    return key;
}

Fingerprint keyedFingerprint(const char *bytes, size_t length, const FingerprintKey &key)
{
    if (length <= kWholeFingerprintBytes)
        return scrambled(bytes, length, key);
    static_assert(crypto_shorthash_siphashx24_BYTES == sizeof(Fingerprint));
    static_assert(crypto_shorthash_siphashx24_KEYBYTES == sizeof(FingerprintKey));
    unsigned char out[crypto_shorthash_siphashx24_BYTES];
    crypto_shorthash_siphashx24(out, reinterpret_cast<const unsigned char *>(bytes), length, key.data());
    Fingerprint fingerprint;
    std::memcpy(&fingerprint.high, out, 8);
    std::memcpy(&fingerprint.low, out + 8, 8);
    return fingerprint;
}
