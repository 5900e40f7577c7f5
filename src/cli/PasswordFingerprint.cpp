#include "PasswordFingerprint.h"

#include <sodium.h>

#include <cstdlib>
#include <cstring>

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
    static_assert(crypto_shorthash_siphashx24_BYTES == sizeof(Fingerprint));
    static_assert(crypto_shorthash_siphashx24_KEYBYTES == sizeof(FingerprintKey));
    unsigned char out[crypto_shorthash_siphashx24_BYTES];
    crypto_shorthash_siphashx24(out, reinterpret_cast<const unsigned char *>(bytes), length, key.data());
    Fingerprint fingerprint;
    std::memcpy(&fingerprint.high, out, 8);
    std::memcpy(&fingerprint.low, out + 8, 8);
    return fingerprint;
}
