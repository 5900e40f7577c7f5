// The generator with arbitrary masks and settings: the mask reader and
// password builder directly, then a whole batch through GeneratePasswords
// with the same settings in the settings store.

#include "core/generation/MemoryResultList.h"
#include "core/generation/PasswordBuilder.h"
#include "core/generation/PasswordGenerator.h"
#include "core/generation/RandomSource.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/SettingsTable.h"
#include "FuzzSupport.h"
#include "GenerationInput.h"

#include <QHash>
#include <QSet>

#include <tuple>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::isolateHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    QString modeText;
    const GenerationSettings settings = FuzzSupport::takeSettings(input, &modeText);
    const int count = input.ConsumeIntegralInRange(1, 48);
    const QString mask = FuzzSupport::takeText(input, 96);

    // Every password fits the length the builder promises; a mask copied
    // unchanged comes out as it stands.
    const PasswordBuilder builder(mask, settings);
    RandomSource random;
    qint64 counter = 0;
    for (int i = 0; i < 4; ++i) {
        const QString password = builder.build(random, counter);
        FUZZ_CHECK(password.size() <= builder.maxLength());
        if (settings.mode == GenerationMode::CopyUnchanged)
            FUZZ_CHECK(password == mask);
    }

    // The batch reads its settings from the store. Only the values that
    // differ from the last input are written, which keeps the runs fast.
    using namespace Settings::Name;
    const std::tuple<QLatin1String, const QString *, QString GenerationSettings::*> stored[] = {
        {AlphaU, &settings.upperClass, &GenerationSettings::upperClass},
        {AlphaL, &settings.lowerClass, &GenerationSettings::lowerClass},
        {Numeric, &settings.digitClass, &GenerationSettings::digitClass},
        {Special, &settings.specialClass, &GenerationSettings::specialClass},
        {uMask, &settings.upperSymbol, &GenerationSettings::upperSymbol},
        {lMask, &settings.lowerSymbol, &GenerationSettings::lowerSymbol},
        {nMask, &settings.digitSymbol, &GenerationSettings::digitSymbol},
        {sMask, &settings.specialSymbol, &GenerationSettings::specialSymbol},
        {iMask, &settings.counterSymbol, &GenerationSettings::counterSymbol},
        {GenOpt, &modeText, nullptr},
    };
    static QHash<QString, QString> inStore;
    for (const auto &[name, value, field] : stored) {
        const auto known = inStore.constFind(name);
        if (known == inStore.constEnd() || *known != *value) {
            Settings::write(name, *value);
            inStore.insert(name, *value);
        }
    }
    // The store gives back every text it can hold: all but those with a NUL,
    // which ends the text, or a lone surrogate, which no file encoding keeps;
    // an empty value reads as its start-up default.
    const GenerationSettings fromStore = GenerationSettings::fromStore();
    for (const auto &[name, value, field] : stored) {
        if (field && !value->contains(QChar(0)) && value->isValidUtf16())
            FUZZ_CHECK(fromStore.*field == (value->isEmpty() ? Settings::startupDefault(name) : *value));
    }
    if (!modeText.contains(QChar(0)) && modeText.isValidUtf16())
        FUZZ_CHECK(fromStore.mode ==
                   GenerationSettings::modeFromText(modeText.isEmpty() ? Settings::startupDefault(GenOpt) : modeText));
    const PasswordBuilder batchBuilder(mask, fromStore);

    MemoryResultList list;
    GeneratePasswords(list, count, mask);
    FUZZ_CHECK(list.GetItemCount() <= count);
    QSet<QString> seen;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const QString password = list.ItemText(row, 0);
        FUZZ_CHECK(!password.isEmpty());
        FUZZ_CHECK(password.size() <= batchBuilder.maxLength());
        FUZZ_CHECK(!seen.contains(password)); // no password is listed twice
        seen.insert(password);
    }
    // A mask whose passwords are all alike gives exactly one, unless empty.
    if (batchBuilder.isConstant())
        FUZZ_CHECK(list.GetItemCount() == (batchBuilder.build(random, counter).isEmpty() ? 0 : 1));
    return 0;
}
