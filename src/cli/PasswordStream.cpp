#include "PasswordStream.h"

#include "OutputSink.h"
#include "SeenPasswords.h"

#include "generation/PasswordBuilder.h"
#include "generation/RandomSource.h"
#include "results/ExportLayouts.h"

#include <QByteArray>
#include <QStringView>

#include <vector>

namespace {

// Passwords are made a batch at a time so that their table slots can be
// fetched into the cache while the batch is being checked.
constexpr int kBatch = 64;
constexpr qsizetype kBlockBytes = qsizetype(1) << 20;

} // namespace

qsizetype toUtf8(const char16_t *text, qsizetype length, char *out)
{
    char *cursor = out;
    for (qsizetype i = 0; i < length; ++i) {
        char32_t u = text[i];
        if (u < 0x80) {
            *cursor++ = char(u);
            continue;
        }
        if (u < 0x800) {
            *cursor++ = char(0xC0 | (u >> 6));
            *cursor++ = char(0x80 | (u & 0x3F));
            continue;
        }
        if (QChar::isSurrogate(u)) {
            if (QChar::isHighSurrogate(u) && i + 1 < length && QChar::isLowSurrogate(text[i + 1])) {
                const char32_t point = QChar::surrogateToUcs4(char16_t(u), text[++i]);
                *cursor++ = char(0xF0 | (point >> 18));
                *cursor++ = char(0x80 | ((point >> 12) & 0x3F));
                *cursor++ = char(0x80 | ((point >> 6) & 0x3F));
                *cursor++ = char(0x80 | (point & 0x3F));
                continue;
            }
            *cursor++ = '?';
            continue;
        }
        *cursor++ = char(0xE0 | (u >> 12));
        *cursor++ = char(0x80 | ((u >> 6) & 0x3F));
        *cursor++ = char(0x80 | (u & 0x3F));
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
    const qsizetype stride8 = stride16 * 3;
    std::vector<char16_t> text16(size_t(stride16 * kBatch));
    std::vector<char> text8(size_t(stride8 * kBatch));
    qsizetype lengths16[kBatch];
    qsizetype lengths8[kBatch];
    quint64 hashes[kBatch];

    QByteArray block;
    block.reserve(kBlockBytes + stride8 * 2 + 16);
    ExportLayouts::CsvWriter csv;

    for (qint64 attempt = 0; attempt < request.count;) {
        const int inBatch = int(qMin<qint64>(kBatch, request.count - attempt));
        for (int i = 0; i < inBatch; ++i) {
            char16_t *out16 = text16.data() + stride16 * i;
            char *out8 = text8.data() + stride8 * i;
            lengths16[i] = builder.build(out16, random, counter);
            lengths8[i] = toUtf8(out16, lengths16[i], out8);
            if (seen) {
                hashes[i] = SeenPasswords::hash(out8, size_t(lengths8[i]));
                seen->prefetch(hashes[i]);
            }
        }
        for (int i = 0; i < inBatch; ++i) {
            if (lengths16[i] == 0)
                continue;
            const char *password8 = text8.data() + stride8 * i;
            if (seen && !seen->insert(password8, size_t(lengths8[i]), hashes[i]))
                continue;
            switch (request.format) {
            case OutputFormat::Lines:
                block.append(password8, lengths8[i]);
                block.append('\n');
                break;
            case OutputFormat::Text:
                ExportLayouts::appendTextLine(QStringView(text16.data() + stride16 * i, lengths16[i]), block);
                break;
            case OutputFormat::Csv:
                csv.add(QStringView(text16.data() + stride16 * i, lengths16[i]), block);
                break;
            }
            ++result.written;
            if (block.size() >= kBlockBytes) {
                if (!sink.write(block.constData(), block.size()))
                    return result;
                block.resize(0);
            }
        }
        attempt += inBatch;
        if (seen && request.distinctPasswords && seen->size() >= *request.distinctPasswords)
            break; // every further attempt would be a duplicate
    }
    if (request.format == OutputFormat::Csv && result.written > 0)
        csv.finish(block);
    if (!block.isEmpty() && !sink.write(block.constData(), block.size()))
        return result;
    result.completed = true;
    return result;
}
