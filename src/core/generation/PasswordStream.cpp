#include "core/generation/PasswordStream.h"

#include "core/generation/PasswordMaker.h"
#include "core/generation/PasswordStreamWorkers.h"
#include "core/generation/SeenPasswords.h"

#include <limits>

namespace {

// Without the duplicate check a chunk holds up to 256 KiB of UTF-8 (each
// password at its widest) and at most 8192 attempts.
constexpr qsizetype kChunkBytes = qsizetype(256) << 10;
constexpr int kMostAttemptsPerChunk = 8192;
// With it, a chunk holds one attempt for every 256 passwords the table may
// keep when it may keep ten million, and more or fewer in proportion to the
// table's size (at least 8192, at most 2^21, and 128 MiB of UTF-8). The
// check walks the table once a chunk; past a few hundred megabytes the
// table's page-table entries no longer stay in the cache, and only a denser
// walk, more attempts to each page, keeps its cost per password level.
constexpr double kDenseFrom = 10e6;
constexpr int kTableShare = 256;
constexpr int kFewestCheckedPerChunk = 8192;
constexpr int kMostCheckedPerChunk = 1 << 21;
constexpr qsizetype kMostCheckedChunkBytes = qsizetype(128) << 20;
// What a sink may collect before it writes (tessaro-cli's text and CSV layouts).
constexpr qsizetype kSinkBytes = qsizetype(2) << 20;

// The most different passwords the duplicate check may have to keep.
quint64 passwordsToKeep(const StreamRequest &request)
{
    const quint64 attempts = quint64(qMax(request.count, 0));
    return request.distinctPasswords ? qMin(attempts, *request.distinctPasswords) : attempts;
}

// Whether the stream drops duplicates by its own fingerprints.
bool fingerprinted(const StreamRequest &request, PasswordSink::Needs needs)
{
    return request.dropDuplicates && !needs.ownDuplicateCheck;
}

bool untilCount(const StreamRequest &request)
{
    return request.untilCount && request.dropDuplicates;
}

ChunkRecipe recipeFor(const PasswordMaker &maker, const StreamRequest &request, PasswordSink::Needs needs)
{
    ChunkRecipe recipe;
    recipe.attempts = qMax(request.count, 0);
    recipe.stride16 = qMax<qsizetype>(maker.maxLength(), 1);
    const qsizetype stride8 = recipe.stride16 * 3 + 1;
    if (request.dropDuplicates) {
        const quint64 keep = passwordsToKeep(request);
        const auto share = quint64(double(keep) / kTableShare * (double(keep) / kDenseFrom));
        const auto wanted = qsizetype(qBound<quint64>(kFewestCheckedPerChunk, share, kMostCheckedPerChunk));
        recipe.attemptsPerChunk = int(qBound(qsizetype(1), kMostCheckedChunkBytes / stride8, wanted));
    } else {
        recipe.attemptsPerChunk = int(qBound(qsizetype(1), kChunkBytes / stride8, qsizetype(kMostAttemptsPerChunk)));
    }
    recipe.attemptsPerChunk = int(qMin<qint64>(recipe.attemptsPerChunk, qMax<qint64>(recipe.attempts, 1)));
    recipe.keepText16 = needs.text16 || needs.ownDuplicateCheck;
    recipe.keepHashes16 = needs.ownDuplicateCheck;
    // Fingerprints are taken of the UTF-8.
    recipe.keepLines = needs.lines || fingerprinted(request, needs);
    recipe.fingerprint = fingerprinted(request, needs) ? request.fingerprint : nullptr;
    if (untilCount(request)) {
        // Whole chunks, so that the counter runs on without a gap when more are made.
        recipe.open = true;
        recipe.attempts =
            (recipe.attempts + recipe.attemptsPerChunk - 1) / recipe.attemptsPerChunk * recipe.attemptsPerChunk;
    }
    return recipe;
}

// The fingerprints the table must hold. Drawing until count, more chunks are
// made only for the passwords still missing, so at most a chunk's worth of
// new ones more than asked for are ever checked.
quint64 tableCapacity(const StreamRequest &request, const ChunkRecipe &recipe)
{
    if (!untilCount(request))
        return passwordsToKeep(request);
    const quint64 most = quint64(qMax(request.count, 0)) + quint64(recipe.attemptsPerChunk);
    return request.distinctPasswords ? qMin(most, *request.distinctPasswords) : most;
}

qint64 chunkCount(const ChunkRecipe &recipe)
{
    return (recipe.attempts + recipe.attemptsPerChunk - 1) / recipe.attemptsPerChunk;
}

int workersFor(const StreamRequest &request, const ChunkRecipe &recipe)
{
    return request.fixedKey ? 0 : PasswordStreamWorkers::workersFor(chunkCount(recipe));
}

} // namespace

quint64 streamMemoryNeeded(const PasswordMaker &maker, const StreamRequest &request, PasswordSink::Needs needs)
{
    const ChunkRecipe recipe = recipeFor(maker, request, needs);
    const int workers = workersFor(request, recipe);
    // Per attempt of a chunk: its UTF-8 and line end, UTF-16 and length,
    // fingerprint, attempt number and verdict; and what each thread sorts with.
    quint64 perAttempt = recipe.keepLines ? quint64(recipe.stride16 * 3 + 1) + 4 : 0;
    if (recipe.keepText16)
        perAttempt += quint64(recipe.stride16 * 2) + 8;
    if (recipe.keepHashes16)
        perAttempt += 8;
    quint64 table = 0;
    quint64 sorting = 0;
    if (recipe.fingerprint) {
        perAttempt += 16 + 4 + 1;
        sorting = quint64(workers + 1) * 16;
        table = SeenPasswords::bytesFor(tableCapacity(request, recipe), workers + 1);
    }
    const auto inFlight = quint64(PasswordStreamWorkers::slotsFor(workers));
    return table + (inFlight * perAttempt + sorting) * quint64(recipe.attemptsPerChunk) + quint64(kSinkBytes);
}

StreamResult streamPasswords(const PasswordMaker &maker, const StreamRequest &request, PasswordSink &sink)
{
    StreamResult result;
    const ChunkRecipe recipe = recipeFor(maker, request, sink.needs());
    const int workerCount = workersFor(request, recipe);
    std::optional<SeenPasswords> seen;
    if (recipe.fingerprint)
        seen.emplace(tableCapacity(request, recipe), workerCount + 1);

    PasswordStreamWorkers workers(maker, recipe, workerCount, seen ? &*seen : nullptr, request.fixedKey);
    const qint64 wanted = request.count;
    for (;;) {
        PasswordChunk *chunk = workers.next();
        if (!chunk && recipe.open && result.written < wanted) {
            workers.extend((wanted - result.written + recipe.attemptsPerChunk - 1) / recipe.attemptsPerChunk);
            chunk = workers.next();
        }
        if (!chunk)
            break;
        const qint64 room = recipe.open ? wanted - result.written : std::numeric_limits<qint64>::max();
        const qint64 kept = sink.take(*chunk, room);
        workers.release(chunk);
        if (kept < 0)
            return result;
        result.written += kept;
        if (request.distinctPasswords && quint64(result.written) >= *request.distinctPasswords)
            break; // every further attempt would be a duplicate
        if (recipe.open && result.written == wanted)
            break;
    }
    result.completed = sink.finish();
    return result;
}
