#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

// What the duplicate check of a stream keeps of each password: 128 bits of
// a keyed hash of its UTF-8 bytes. Equal passwords always have equal
// fingerprints, so no duplicate can slip through; two different passwords
// share one with a chance of 2^-128 a pair (below 2^-60 over 2^32 passwords),
// and only then is a new password taken for a duplicate.
struct Fingerprint
{
    quint64 high = 0;
    quint64 low = 0;
    bool operator==(const Fingerprint &) const = default;
};

using FingerprintKey = std::array<unsigned char, 16>;

// A new key from the operating system's random source, one a run: nobody
// can choose passwords whose fingerprints meet.
FingerprintKey newFingerprintKey();

// SipHash-2-4 with its 128-bit output.
Fingerprint keyedFingerprint(const char *bytes, size_t length, const FingerprintKey &key);

// Tests put a deliberately weak function here.
using FingerprintFunction = Fingerprint (*)(const char *bytes, size_t length, const FingerprintKey &key);
