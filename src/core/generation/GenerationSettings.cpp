#include "core/generation/GenerationSettings.h"

#include "core/settings/SettingsTable.h"

namespace {

template <typename ValueOf> GenerationSettings collect(ValueOf valueOf)
{
    using namespace Settings::Name;
    GenerationSettings s;
    s.upperClass = valueOf(AlphaU);
    s.lowerClass = valueOf(AlphaL);
    s.digitClass = valueOf(Numeric);
    s.specialClass = valueOf(Special);
    s.upperSymbol = valueOf(uMask);
    s.lowerSymbol = valueOf(lMask);
    s.digitSymbol = valueOf(nMask);
    s.specialSymbol = valueOf(sMask);
    s.counterSymbol = valueOf(iMask);
    s.wordSymbol = valueOf(wMask);
    s.mode = GenerationSettings::modeFromText(valueOf(GenOpt));
    s.capitaliseWords = valueOf(WordCap) == u"1";
    s.wordList = valueOf(Words);
    s.noLookAlike = valueOf(NoLookAlike) == u"1";
    return s;
}

} // namespace

GenerationSettings GenerationSettings::fromStore()
{
    // One open of the store: the strength meter asks at every key press.
    const QHash<QLatin1String, QString> values = Settings::readAll();
    return collect([&values](QLatin1String name) {
        const QString stored = values.value(name);
        return stored.isEmpty() ? Settings::startupDefault(name) : stored;
    });
}

GenerationSettings GenerationSettings::startupDefaults()
{
    return collect([](QLatin1String name) { return Settings::startupDefault(name); });
}

GenerationMode GenerationSettings::modeFromText(const QString &text)
{
    if (text == u"0")
        return GenerationMode::Default;
    if (text == u"1")
        return GenerationMode::Custom;
    return GenerationMode::CopyUnchanged;
}
