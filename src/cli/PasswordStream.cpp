#include "PasswordStream.h"

#include "OutputSink.h"
#include "SeenPasswords.h"

#include "generation/PasswordBuilder.h"
#include "generation/RandomSource.h"
#include "results/ExportLayouts.h"

#include <QByteArray>
#include <QStringView>
#include <QtEndian>

#include <cstring>
#include <vector>

namespace {

// Passwords are made a batch at a time so that their table slots can be
// fetched into the cache while the batch is being checked.
constexpr int kBatch = 64;
constexpr qsizetype kBlockBytes = qsizetype(1) << 20;

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

StreamResult streamPasswords(const PasswordBuilder &builder, const StreamRequest &request, OutputSink &sink)
{
    StreamResult result;
    RandomSource random;
    qint64 counter = 0; // the stream's counter: wide enough never to overflow

    std::optional<SeenPasswords> seen;
    if (request.dropDuplicates) {
        quint64 expected = quint64(qMax(request.count, 0));
        if (request.distinctPasswords)
            expected = qMin(expected, *request.distinctPasswords);
        seen.emplace(qMin<quint64>(expected, quint64(1) << 20));
    }

    const qsizetype stride16 = qMax<qsizetype>(builder.maxLength(), 1);
    const qsizetype stride8 = stride16 * 3 + 1; // the UTF-8 and a line end
    // Fewer to a batch when the passwords are very long.
    const int batch = int(qBound(qsizetype(1), (qsizetype(1) << 20) / stride16, qsizetype(kBatch)));
    std::vector<char16_t> text16(size_t(stride16 * batch));
    qsizetype lengths16[kBatch];
    char *starts8[kBatch];
    qsizetype lengths8[kBatch];
    quint64 hashes[kBatch];

    // The lines layout is made in place: each password's UTF-8 goes where it
    // will be sent, followed by LF, and dropped ones are squeezed out. The
    // other layouts are built from the UTF-16 text by the export functions.
    const bool lines = request.format == OutputFormat::Lines;
    std::vector<char> block(size_t(kBlockBytes + stride8 * batch));
    qsizetype used = 0;
    std::vector<char> scratch8(lines ? 0 : size_t(stride8 * batch));
    QByteArray layout;
    if (!lines)
        layout.reserve(kBlockBytes + stride8 * 2 * batch);
    ExportLayouts::CsvWriter csv;

    for (qint64 attempt = 0; attempt < request.count;) {
        const int inBatch = int(qMin<qint64>(batch, request.count - attempt));
        char *at8 = lines ? block.data() + used : scratch8.data();
        for (int i = 0; i < inBatch; ++i) {
            char16_t *out16 = text16.data() + stride16 * i;
            lengths16[i] = builder.build(out16, random, counter);
            starts8[i] = at8;
            lengths8[i] = toUtf8(out16, lengths16[i], at8);
            at8 += lengths8[i];
            *at8++ = '\n';
            if (seen) {
                hashes[i] = SeenPasswords::hash(starts8[i], size_t(lengths8[i]));
                seen->prefetch(hashes[i]);
            }
        }
        char *kept = block.data() + used;
        for (int i = 0; i < inBatch; ++i) {
            if (lengths16[i] == 0)
                continue;
            if (seen && !seen->insert(starts8[i], size_t(lengths8[i]), hashes[i]))
                continue;
            ++result.written;
            if (lines) {
                if (kept != starts8[i])
                    std::memmove(kept, starts8[i], size_t(lengths8[i] + 1));
                kept += lengths8[i] + 1;
            } else if (request.format == OutputFormat::Text) {
                ExportLayouts::appendTextLine(QStringView(text16.data() + stride16 * i, lengths16[i]), layout);
            } else {
                csv.add(QStringView(text16.data() + stride16 * i, lengths16[i]), layout);
            }
        }
        if (lines)
            used = kept - block.data();
        attempt += inBatch;
        if (used >= kBlockBytes) {
            if (!sink.write(block.data(), used))
                return result;
            used = 0;
        }
        if (layout.size() >= kBlockBytes) {
            if (!sink.write(layout.constData(), layout.size()))
                return result;
            layout.resize(0);
        }
        if (seen && request.distinctPasswords && seen->size() >= *request.distinctPasswords)
            break; // every further attempt would be a duplicate
    }
    if (request.format == OutputFormat::Csv && result.written > 0)
        csv.finish(layout);
    if (used > 0 && !sink.write(block.data(), used))
        return result;
    if (!layout.isEmpty() && !sink.write(layout.constData(), layout.size()))
        return result;
    result.completed = true;
    return result;
}
