#pragma once

#include "cli/CliOptions.h"
#include "cli/PasswordFingerprint.h"

#include <QtGlobal>

#include <optional>

class OutputSink;
class PasswordBuilder;

struct StreamRequest
{
    qint32 count = 1;
    OutputFormat format = OutputFormat::Lines;
    bool dropDuplicates = true;
    // With dropDuplicates: attempt again until count passwords are written,
    // instead of count attempts. The caller makes sure the mask has them.
    bool untilCount = false;
    // The number of distinct passwords the mask can give, when known and the
    // mask has no counter: once that many are written, every later attempt
    // would be dropped, so the stream ends there.
    std::optional<quint64> distinctPasswords;
    FingerprintFunction fingerprint = keyedFingerprint;
};

struct StreamResult
{
    qint64 written = 0;     // passwords written
    bool completed = false; // false when the sink refused a block
};

// Makes count attempts from the builder, as the generator does (an empty
// password, or with dropDuplicates one whose fingerprint an earlier one had,
// is dropped and not retried; the counter runs over the whole stream), or
// with untilCount as many as it takes to write count passwords, and
// writes the rest to the sink in the requested layout, in order. Both cores
// make passwords; this thread alone checks and writes them.
StreamResult streamPasswords(const PasswordBuilder &builder, const StreamRequest &request, OutputSink &sink);

// The memory a stream holds for its duplicate check and its buffers, all
// taken when it starts.
quint64 streamMemoryNeeded(const PasswordBuilder &builder, const StreamRequest &request);

// UTF-8 of UTF-16 text into out (room for 3 bytes a unit and 1 more);
// returns the bytes written. A lone surrogate becomes '?', as QString::toUtf8 makes it.
qsizetype toUtf8(const char16_t *text, qsizetype length, char *out);
