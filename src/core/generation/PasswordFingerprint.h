#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

// What the duplicate check of a stream keeps of each password: 128 bits.
// Equal passwords always have equal fingerprints, so no duplicate can slip
// through. A password of at most 15 UTF-8 bytes keeps all of itself (bytes
// and length, scrambled one to one), so no other short password shares its
// fingerprint; a longer one keeps a keyed hash, which another password
// shares with a chance of 2^-128 a pair (below 2^-60 over 2^32 passwords).
// Only then is a new password taken for a duplicate.
struct Fingerprint
{
    quint64 high = 0; // spread evenly: it picks the table bucket
    quint64 low = 0;
    bool operator==(const Fingerprint &) const = default;
};

using FingerprintKey = std::array<unsigned char, 16>;

// The longest password (in UTF-8 bytes) that keyedFingerprint keeps whole:
// two such passwords share a fingerprint only when they are equal.
inline constexpr size_t kWholeFingerprintBytes = 15;

// A new key from the operating system's random source, one a run.
FingerprintKey newFingerprintKey();

// Short passwords as above; longer ones by SipHash-2-4 with its 128-bit output.
Fingerprint keyedFingerprint(const char *bytes, size_t length, const FingerprintKey &key);

// Tests put a deliberately weak function here.
using FingerprintFunction = Fingerprint (*)(const char *bytes, size_t length, const FingerprintKey &key);
