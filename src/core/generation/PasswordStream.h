#pragma once

#include "core/generation/PasswordFingerprint.h"
#include "core/generation/RandomSource.h"

#include <QtGlobal>

#include <optional>

class PasswordMaker;
struct PasswordChunk;

// Where a stream's passwords go: the window's result list, tessaro-cli's
// output. The stream hands it the chunks of attempts in order; the sink
// takes the passwords it keeps and says how many.
class PasswordSink
{
public:
    struct Needs
    {
        bool lines = true;   // each password as UTF-8 and LF (PasswordChunk::line)
        bool text16 = false; // each password's UTF-16 (PasswordChunk::text)
        // The sink recognises duplicates itself, by each password's UTF-16
        // and its hash (PasswordChunk::hash16), made where the password is
        // made: the stream keeps no fingerprints of its own.
        bool ownDuplicateCheck = false;
    };

    virtual ~PasswordSink() = default;
    virtual Needs needs() const = 0;
    // Takes the chunk's passwords that it keeps (as a rule those that are not
    // PasswordChunk::dropped), in attempt order, and at most `room` of them.
    // Returns how many it kept, or -1 when it can go no further.
    virtual qint64 take(const PasswordChunk &chunk, qint64 room) = 0;
    // After the last chunk; false when it can go no further.
    virtual bool finish() { return true; }
};

struct StreamRequest
{
    qint32 count = 1;
    // Drop a password whose fingerprint an earlier one had (the sink may
    // instead recognise duplicates itself).
    bool dropDuplicates = true;
    // With dropDuplicates: attempt again until count passwords are kept,
    // instead of count attempts. The caller makes sure the mask has them.
    bool untilCount = false;
    // When duplicates are dropped (by the stream or the sink) and the mask
    // has no counter: the number of distinct passwords it can give. Once
    // that many are kept every later attempt would be dropped, so the
    // stream ends there.
    std::optional<quint64> distinctPasswords;
    FingerprintFunction fingerprint = keyedFingerprint;
    // Tests: one thread drawing from this key, so the stream is the same every time.
    std::optional<RandomSource::Key> fixedKey;
};

struct StreamResult
{
    qint64 written = 0;     // passwords the sink kept
    bool completed = false; // false when the sink refused a chunk
};

// The one batch engine: makes count attempts from the maker (an empty
// password, or with dropDuplicates one whose fingerprint an earlier one
// had, is dropped and not retried; the counter runs over the whole stream),
// or with untilCount as many as it takes to keep count passwords, and hands
// them to the sink in order. Both cores make passwords; this thread alone
// checks what is left and feeds the sink.
StreamResult streamPasswords(const PasswordMaker &maker, const StreamRequest &request, PasswordSink &sink);

// The memory a stream holds for its duplicate check and its buffers, all
// taken when it starts.
quint64 streamMemoryNeeded(const PasswordMaker &maker, const StreamRequest &request, PasswordSink::Needs needs);
