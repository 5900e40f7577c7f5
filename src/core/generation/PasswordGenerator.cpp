#include "core/generation/PasswordGenerator.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/DuplicateFilter.h"
#include "core/generation/ListFiles.h"
#include "core/generation/PasswordBuilder.h"
#include "core/generation/RandomSource.h"
#include "core/localisation/LanguageTexts.h"
#include "core/settings/SettingsTable.h"
#include "core/strength/MaskStrength.h"

#include <limits>
#include <optional>
#include <vector>

namespace {

// Passwords are made a block at a time so that their table slots can be
// fetched into the cache while the block is being checked.
constexpr int kBlock = 64;

// How many distinct passwords the mask can give at most, when that number
// is known; a counter makes every password new.
std::optional<quint64> distinctPasswords(const PasswordBuilder &builder)
{
    return builder.hasCounter() ? std::nullopt : MaskStrength::measure(builder).exactKeySpace;
}

// The most memory a batch's rows take at once: each row's text, its entry
// in the list (12 bytes, 36 while the entries move to a doubled array), its
// duplicate-table slots (up to 32 bytes, 48 while the table doubles) and
// what the list view keeps for it.
quint64 batchMemoryNeeded(const PasswordBuilder &builder, quint64 rows)
{
    const quint64 perRow = quint64(builder.maxLength()) * sizeof(char16_t) + 36 + 48 + 4;
    return rows > std::numeric_limits<quint64>::max() / perRow ? std::numeric_limits<quint64>::max() : rows * perRow;
}

void generateInto(ResultList &list, qint32 count, const PasswordBuilder &builder, const QString &progressPrefix,
                  std::optional<quint64> distinct)
{
    RandomSource random;
    DuplicateFilter seen(qMin<qint64>(count, qint64(1) << 20));
    const auto textOfRow = [&list](quint32 row) { return list.ItemText(int(row), 0); };

    const qsizetype stride = builder.maxLength();
    // Fewer to a block when words make the passwords very long.
    const int perBlock =
        int(qBound(qsizetype(1), (qsizetype(1) << 20) / qMax<qsizetype>(stride, 1), qsizetype(kBlock)));
    std::vector<char16_t> block(size_t(stride * perBlock + 1));
    qsizetype lengths[kBlock];
    quint64 hashes[kBlock];
    qint64 counter = 0; // the batch counter: wide enough never to overflow
    ColumnHeading heading{progressPrefix, 0, count};

    for (qint64 attempt = 0; attempt < count;) {
        if (distinct && quint64(list.GetItemCount()) >= *distinct)
            break;
        const int inBlock = int(qMin<qint64>(perBlock, count - attempt));
        for (int i = 0; i < inBlock; ++i) {
            char16_t *out = block.data() + stride * i;
            lengths[i] = builder.build(out, random, counter);
            hashes[i] = DuplicateFilter::hash(QStringView(out, lengths[i]));
            seen.prefetch(hashes[i]);
        }
        for (int i = 0; i < inBlock; ++i) {
            const QStringView candidate(block.data() + stride * i, lengths[i]);
            if (candidate.isEmpty())
                continue;
            const int row = list.GetItemCount();
            if (!seen.insert(candidate, hashes[i], quint32(row), textOfRow))
                continue;
            heading.done = row + 1;
            list.setHeading(heading);
            list.appendItem();
            list.setItemText(row, candidate);
            list.showRow(row);
        }
        attempt += inBlock;
    }
}

} // namespace

GenerationOutcome GeneratePasswords(ResultList &list, qint32 count, const QString &mask)
{
    using namespace Settings::Name;
    const QString languageFile = ProgramFolder::languageFile(Settings::read(Language));
    const PasswordBuilder builder(mask, GenerationSettings::fromStore());
    if (!builder.wordList().outcome.ok())
        return {builder.wordList().outcome.reason(), {}, {}};
    const std::optional<quint64> distinct = distinctPasswords(builder);
    const quint64 rows = distinct ? qMin(quint64(qMax(count, 0)), *distinct) : quint64(qMax(count, 0));
    if (const std::optional<MemoryShortfall> shortfall = memoryShortfall(batchMemoryNeeded(builder, rows)))
        return {{}, shortfall, {}};
    const QString progressPrefix =
        Localisation::textOrEnglish(languageFile, QStringLiteral("List"), QStringLiteral("List02"));

    list.clearItems();
    if (count > 0)
        generateInto(list, count, builder, progressPrefix, distinct);

    list.setHeading({Localisation::textOrEnglish(languageFile, QStringLiteral("List"), QStringLiteral("List01"))});
    list.showRow(0);

    if (Settings::read(LastGen) != u"1")
        return {};
    return {{},
            {},
            SaveListToFile(ProgramFolder::pathForWriting(ProgramFolder::File::LastGenerated), list,
                           SafeFileWriter::Access::OwnerOnly)};
}
