#include "core/generation/PasswordGenerator.h"

#include "core/common/AvailableMemory.h"
#include "core/common/ProgramFolder.h"
#include "core/generation/ListFiles.h"
#include "core/generation/PasswordBuilder.h"
#include "core/generation/PasswordStream.h"
#include "core/generation/ResultListSink.h"
#include "core/localisation/LanguageTexts.h"
#include "core/rules/RulesMaker.h"
#include "core/settings/SettingsTable.h"
#include "core/strength/MaskStrength.h"

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

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
quint64 batchMemoryNeeded(const PasswordMaker &maker, quint64 rows)
{
    const quint64 perRow = quint64(maker.maxLength()) * sizeof(char16_t) + 36 + 48 + 4;
    return rows > std::numeric_limits<quint64>::max() / perRow ? std::numeric_limits<quint64>::max() : rows * perRow;
}

QString headingText(const char16_t *key)
{
    const QString languageFile = ProgramFolder::languageFile(Settings::read(Settings::Name::Language));
    return Localisation::textOrEnglish(languageFile, QStringLiteral("List"), QString::fromUtf16(key));
}

} // namespace

ColumnHeading progressHeading(qint64 done, qint64 total)
{
    return {headingText(u"List02"), done, total};
}

ColumnHeading finishedHeading()
{
    return {headingText(u"List01")};
}

namespace {

// A batch of count attempts from the maker into the list: everything the
// two generation steps share.
GenerationOutcome generateInto(ResultList &list, qint32 count, const PasswordMaker &maker,
                               std::optional<quint64> distinctPasswords, BatchControl *control)
{
    GenerationOutcome outcome;
    StreamRequest request;
    request.count = count;
    // The list's sink recognises duplicates by their texts.
    request.distinctPasswords = distinctPasswords;
    const quint64 rows =
        request.distinctPasswords ? qMin(quint64(qMax(count, 0)), *request.distinctPasswords) : quint64(qMax(count, 0));
    ResultListSink sink(list, progressHeading(0, count), qsizetype(qMin<quint64>(rows, quint64(1) << 20)), control);
    const quint64 needed = batchMemoryNeeded(maker, rows) + streamMemoryNeeded(maker, request, sink.needs());
    if (const std::optional<MemoryShortfall> shortfall = memoryShortfall(needed)) {
        outcome.memory = Outcome::failure(Localisation::text("Message14"_L1)
                                              .arg(count)
                                              .arg(shortfall->neededMegabytes())
                                              .arg(shortfall->availableMegabytes()));
        return outcome;
    }

    list.clearItems();
    // Entries copied as the list doubles would touch half as much memory again.
    list.reserveRows(qsizetype(qMin<quint64>(rows, quint64(1) << 24)));
    if (count > 0)
        outcome.stopped = !streamPasswords(maker, request, sink).completed;
    list.setHeading(finishedHeading());
    list.showRow(0);

    if (outcome.stopped || Settings::read(Settings::Name::LastGen) != u"1")
        return outcome;
    outcome.lastGenerated = SaveListToFile(ProgramFolder::pathForWriting(ProgramFolder::File::LastGenerated), list,
                                           SafeFileWriter::Access::OwnerOnly);
    return outcome;
}

} // namespace

GenerationOutcome GeneratePasswords(ResultList &list, qint32 count, const QString &mask, BatchControl *control)
{
    const PasswordBuilder builder(mask, GenerationSettings::fromStore());
    if (!builder.wordList().outcome.ok()) {
        GenerationOutcome outcome;
        outcome.wordList = builder.wordList().outcome;
        return outcome;
    }
    return generateInto(list, count, builder, distinctPasswords(builder), control);
}

GenerationOutcome GenerateFromRules(ResultList &list, qint32 count, const PasswordRules &rules, int length,
                                    BatchControl *control)
{
    const RulesMaker maker(rules, length);
    if (!maker.usable()) {
        GenerationOutcome outcome;
        outcome.rules = maker.usable();
        return outcome;
    }
    return generateInto(list, count, maker, maker.distinctPasswords(), control);
}
