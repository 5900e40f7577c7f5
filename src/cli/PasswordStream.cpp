#include "cli/PasswordStream.h"

#include "cli/OutputSink.h"
#include "cli/PasswordStreamWorkers.h"
#include "cli/SeenPasswords.h"

#include "core/generation/PasswordBuilder.h"
#include "core/results/ExportLayouts.h"

#include <QByteArray>
#include <QStringView>
#include <QtEndian>

#include <cstring>

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
// The text and CSV layouts are collected up to this size before a write.
constexpr qsizetype kLayoutBytes = qsizetype(1) << 20;

// The most different passwords the duplicate check may have to keep.
quint64 passwordsToKeep(const StreamRequest &request)
{
    const quint64 attempts = quint64(qMax(request.count, 0));
    return request.distinctPasswords ? qMin(attempts, *request.distinctPasswords) : attempts;
}

bool untilCount(const StreamRequest &request)
{
    return request.untilCount && request.dropDuplicates;
}

ChunkRecipe recipeFor(const PasswordBuilder &builder, const StreamRequest &request)
{
    ChunkRecipe recipe;
    recipe.attempts = qMax(request.count, 0);
    recipe.stride16 = qMax<qsizetype>(builder.maxLength(), 1);
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
    recipe.keepText16 = request.format != OutputFormat::Lines;
    recipe.fingerprint = request.dropDuplicates ? request.fingerprint : nullptr;
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

} // namespace

qsizetype toUtf8(const char16_t *text, qsizetype length, char *out)
{
    // Each unit of the Basic Multilingual Plane is encoded in all three
    // widths at once and the right one picked without a branch, then stored
    // as one 4-byte word: passwords mix ASCII and other characters at random,
    // which defeats branch prediction.
    char *cursor = out;
    for (qsizetype i = 0; i < length; ++i) {
        // Four ASCII units at a time where they come in a row.
        while (i + 4 <= length) {
            quint64 units;
            std::memcpy(&units, text + i, 8);
            units = qFromLittleEndian(units);
            if (units & 0xFF80FF80FF80FF80ull)
                break;
            const quint32 four = qToLittleEndian(quint32((units & 0xFF) | ((units >> 8) & 0xFF00) |
                                                         ((units >> 16) & 0xFF0000) | ((units >> 24) & 0xFF000000)));
            std::memcpy(cursor, &four, 4);
            cursor += 4;
            i += 4;
        }
        if (i == length)
            break;
        const quint32 u = text[i];
        if ((u & 0xF800) == 0xD800) [[unlikely]] {
            if (QChar::isHighSurrogate(u) && i + 1 < length && QChar::isLowSurrogate(text[i + 1])) {
                const char32_t point = QChar::surrogateToUcs4(char16_t(u), text[++i]);
                *cursor++ = char(0xF0 | (point >> 18));
                *cursor++ = char(0x80 | ((point >> 12) & 0x3F));
                *cursor++ = char(0x80 | ((point >> 6) & 0x3F));
                *cursor++ = char(0x80 | (point & 0x3F));
            } else {
                *cursor++ = '?';
            }
            continue;
        }
        const quint32 two = (0xC0 | (u >> 6)) | ((0x80 | (u & 0x3F)) << 8);
        const quint32 three = (0xE0 | (u >> 12)) | ((0x80 | ((u >> 6) & 0x3F)) << 8) | ((0x80 | (u & 0x3F)) << 16);
        const quint32 word = qToLittleEndian(u < 0x80 ? u : (u < 0x800 ? two : three));
        const qsizetype bytes = 1 + qsizetype(u >= 0x80) + qsizetype(u >= 0x800);
        std::memcpy(cursor, &word, 4);
        cursor += bytes;
    }
    return cursor - out;
}

quint64 streamMemoryNeeded(const PasswordBuilder &builder, const StreamRequest &request)
{
    const ChunkRecipe recipe = recipeFor(builder, request);
    const int workers = PasswordStreamWorkers::workersFor(chunkCount(recipe));
    // Per attempt of a chunk: its UTF-8 and line end, UTF-16 and length,
    // fingerprint, attempt number and verdict; and what each thread sorts with.
    quint64 perAttempt = quint64(recipe.stride16 * 3 + 1) + 4;
    if (recipe.keepText16)
        perAttempt += quint64(recipe.stride16 * 2) + 8;
    quint64 table = 0;
    quint64 sorting = 0;
    if (request.dropDuplicates) {
        perAttempt += 16 + 4 + 1;
        sorting = quint64(workers + 1) * 16;
        table = SeenPasswords::bytesFor(tableCapacity(request, recipe), workers + 1);
    }
    const auto inFlight = quint64(PasswordStreamWorkers::slotsFor(workers));
    return table + (inFlight * perAttempt + sorting) * quint64(recipe.attemptsPerChunk) + 2 * quint64(kLayoutBytes);
}

StreamResult streamPasswords(const PasswordBuilder &builder, const StreamRequest &request, OutputSink &sink)
{
    StreamResult result;
    const ChunkRecipe recipe = recipeFor(builder, request);
    const int workerCount = PasswordStreamWorkers::workersFor(chunkCount(recipe));
    std::optional<SeenPasswords> seen;
    if (request.dropDuplicates)
        seen.emplace(tableCapacity(request, recipe), workerCount + 1);

    // The lines layout is squeezed in place: kept lines move down over
    // dropped ones and the chunk is written as it stands. The other layouts
    // are built from the UTF-16 text by the window's export functions.
    const bool lines = request.format == OutputFormat::Lines;
    QByteArray layout;
    if (!lines)
        layout.reserve(kLayoutBytes + recipe.attemptsPerChunk * (recipe.stride16 * 6 + 4));
    ExportLayouts::CsvWriter csv;

    PasswordStreamWorkers workers(builder, recipe, workerCount, seen ? &*seen : nullptr);
    const qint64 wanted = request.count;
    for (;;) {
        PasswordChunk *chunk = workers.next();
        if (!chunk && recipe.open && result.written < wanted) {
            workers.extend((wanted - result.written + recipe.attemptsPerChunk - 1) / recipe.attemptsPerChunk);
            chunk = workers.next();
        }
        if (!chunk)
            break;
        char *const text = chunk->lines.data();
        qsizetype kept = 0;
        qsizetype lineStart = 0;
        for (int i = 0; i < chunk->attempts && !(recipe.open && result.written == wanted); ++i) {
            const qsizetype lineEnd = chunk->lineEnds[size_t(i)];
            const qsizetype lineLength = lineEnd - lineStart;
            const qsizetype start = lineStart;
            lineStart = lineEnd;
            if (lineLength == 1 || (seen && !chunk->isNew[size_t(i)]))
                continue; // empty (the line end alone), or seen before
            ++result.written;
            if (lines) {
                if (kept != start)
                    std::memmove(text + kept, text + start, size_t(lineLength));
                kept += lineLength;
                continue;
            }
            const QStringView password(chunk->text16.data() + recipe.stride16 * i, chunk->lengths16[size_t(i)]);
            if (request.format == OutputFormat::Text)
                ExportLayouts::appendTextLine(password, layout);
            else
                csv.add(password, layout);
        }
        const bool writtenOut = kept == 0 || sink.write(text, kept);
        workers.release(chunk);
        if (!writtenOut)
            return result;
        if (layout.size() >= kLayoutBytes) {
            if (!sink.write(layout.constData(), layout.size()))
                return result;
            layout.resize(0);
        }
        if (seen && request.distinctPasswords && quint64(result.written) >= *request.distinctPasswords)
            break; // every further attempt would be a duplicate
        if (recipe.open && result.written == wanted)
            break;
    }
    if (request.format == OutputFormat::Csv && result.written > 0)
        csv.finish(layout);
    if (!layout.isEmpty() && !sink.write(layout.constData(), layout.size()))
        return result;
    result.completed = true;
    return result;
}
