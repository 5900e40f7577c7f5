#include "cli/CliOptions.h"

#include "cli/ManualSource.h"
#include "cli/ManualText.h"
#include "core/rules/PasswordRules.h"
#include "core/settings/SettingsTable.h"

#include <QCommandLineParser>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// A whole number in decimal digits only (no sign, no blanks), from 1 to max.
std::optional<qint64> positiveNumber(const QString &text, qint64 max)
{
    if (text.isEmpty() || text.size() > 12)
        return std::nullopt;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const qint64 value = text.toLongLong();
    if (value < 1 || value > max)
        return std::nullopt;
    return value;
}

} // namespace

ParsedArguments parseArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);

    const QCommandLineOption count(QStringList{u"n"_s, u"count"_s}, QString(), u"N"_s);
    const QCommandLineOption allowDuplicates(u"allow-duplicates"_s);
    const QCommandLineOption distinct(u"distinct"_s);
    const QCommandLineOption defaultMode(u"default"_s);
    const QCommandLineOption customMode(u"custom"_s);
    const QCommandLineOption upper(u"upper"_s, QString(), u"SET"_s);
    const QCommandLineOption lower(u"lower"_s, QString(), u"SET"_s);
    const QCommandLineOption digits(u"digits"_s, QString(), u"SET"_s);
    const QCommandLineOption special(u"special"_s, QString(), u"SET"_s);
    const QCommandLineOption wordSymbol(u"word-symbol"_s, QString(), u"C"_s);
    const QCommandLineOption wordList(u"word-list"_s, QString(), u"FILE"_s);
    const QCommandLineOption capitaliseWords(u"capitalise-words"_s);
    const QCommandLineOption noLookAlike(u"no-look-alike"_s);
    const QCommandLineOption format(u"format"_s, QString(), u"FORMAT"_s);
    const QCommandLineOption output(QStringList{u"o"_s, u"output"_s}, QString(), u"FILE"_s);
    const QCommandLineOption copy(QStringList{u"c"_s, u"copy"_s});
    const QCommandLineOption clearAfter(u"clear-after"_s, QString(), u"SECONDS"_s);
    const QCommandLineOption entropy(QStringList{u"e"_s, u"entropy"_s});
    const QCommandLineOption rules(u"rules"_s, QString(), u"TEXT"_s);
    const QCommandLineOption site(u"site"_s, QString(), u"NAME"_s);
    const QCommandLineOption length(u"length"_s, QString(), u"N"_s);
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s});
    const QCommandLineOption version(QStringList{u"v"_s, u"version"_s});
    parser.addOptions({count, allowDuplicates, defaultMode, customMode, upper, lower, digits, special, wordSymbol,
                       wordList, capitaliseWords, noLookAlike, format, output, copy, clearAfter, entropy, help,
                       version});
    parser.addOptions({distinct, rules, site, length});

    ParsedArguments parsed;
    CliOptions &o = parsed.options;
    if (!parser.parse(arguments)) {
        QString reason = parser.errorText();
        if (reason.endsWith(u'.'))
            reason.chop(1);
        parsed.outcome = Outcome::failure(reason);
        return parsed;
    }
    o.help = parser.isSet(help);
    o.version = parser.isSet(version);
    if (o.help || o.version)
        return parsed;

    auto fail = [&parsed](const QString &message) {
        parsed.outcome = Outcome::failure(message);
        return parsed;
    };
    auto conflict = [&](const QString &a, const QString &b) { return fail(u"%1 cannot be used with %2"_s.arg(a, b)); };

    if (parser.isSet(rules) && parser.isSet(site))
        return conflict(u"--rules"_s, u"--site"_s);
    if (parser.isSet(rules))
        o.rules = parser.value(rules);
    if (parser.isSet(site))
        o.site = parser.value(site);
    const bool fromRules = o.rules || o.site;
    if (parser.isSet(length)) {
        if (!fromRules)
            return fail(u"--length works only with --rules or --site"_s);
        const auto n = positiveNumber(parser.value(length), PasswordRules::kLongestEver);
        if (!n)
            return fail(u"--length must be a whole number from 1 to %1, not '%2'"_s.arg(PasswordRules::kLongestEver)
                            .arg(parser.value(length)));
        o.length = int(*n);
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() && !fromRules)
        return fail(u"no mask given"_s);
    if (positional.size() > 1)
        return fail(u"one mask expected, got %1 (quote a mask that holds blanks)"_s.arg(positional.size()));
    if (!positional.isEmpty())
        o.mask = positional.front();
    if (fromRules && !o.mask.isEmpty() && !parser.isSet(entropy))
        return fail(u"passwords come from the rules or from a mask: -e checks the mask against the rules"_s);

    if (parser.isSet(count)) {
        const auto n = positiveNumber(parser.value(count), std::numeric_limits<qint32>::max());
        if (!n)
            return fail(u"--count must be a whole number from 1 to 2147483647, not '%1'"_s.arg(parser.value(count)));
        o.count = qint32(*n);
    }
    o.allowDuplicates = parser.isSet(allowDuplicates);
    o.distinct = parser.isSet(distinct);
    if (o.distinct && o.allowDuplicates)
        return conflict(u"--distinct"_s, u"--allow-duplicates"_s);

    if (parser.isSet(defaultMode) && parser.isSet(customMode))
        return conflict(u"--default"_s, u"--custom"_s);
    if (parser.isSet(defaultMode))
        o.mode = GenerationMode::Default;
    if (parser.isSet(customMode))
        o.mode = GenerationMode::Custom;
    const std::pair<const QCommandLineOption *, std::optional<QString> *> classes[] = {
        {&upper, &o.upperClass}, {&lower, &o.lowerClass}, {&digits, &o.digitClass}, {&special, &o.specialClass}};
    for (const auto &[option, target] : classes) {
        if (!parser.isSet(*option))
            continue;
        const QString name = u"--"_s + option->names().front();
        if (o.mode == GenerationMode::Default)
            return fail(u"%1 sets a class for custom generation; it cannot be used with --default"_s.arg(name));
        *target = parser.value(*option);
    }

    if (parser.isSet(wordSymbol)) {
        o.wordSymbol = parser.value(wordSymbol);
        if (o.wordSymbol->toUcs4().size() != 1)
            return fail(u"--word-symbol must be one character, not '%1'"_s.arg(*o.wordSymbol));
    }
    if (parser.isSet(wordList)) {
        o.wordList = parser.value(wordList);
        if (o.wordList->isEmpty())
            return fail(u"--word-list needs a file name"_s);
    }
    o.capitaliseWords = parser.isSet(capitaliseWords);
    o.noLookAlike = parser.isSet(noLookAlike);

    if (parser.isSet(format)) {
        const QString value = parser.value(format);
        if (value == u"lines")
            o.format = OutputFormat::Lines;
        else if (value == u"text")
            o.format = OutputFormat::Text;
        else if (value == u"csv")
            o.format = OutputFormat::Csv;
        else
            return fail(u"--format must be lines, text or csv, not '%1'"_s.arg(value));
    }
    if (parser.isSet(output)) {
        o.outputFile = parser.value(output);
        if (o.outputFile.isEmpty())
            return fail(u"--output needs a file name"_s);
    }

    o.copy = parser.isSet(copy);
    o.entropy = parser.isSet(entropy);
    if (parser.isSet(clearAfter)) {
        if (!o.copy)
            return fail(u"--clear-after works only with --copy"_s);
        const auto seconds = positiveNumber(parser.value(clearAfter), std::numeric_limits<int>::max() / 1000);
        if (!seconds)
            return fail(u"--clear-after must be a whole number of seconds from 1 to %1, not '%2'"_s
                            .arg(std::numeric_limits<int>::max() / 1000)
                            .arg(parser.value(clearAfter)));
        o.clearAfterSeconds = int(*seconds);
    }

    // --copy and --entropy replace the password output: what shapes that
    // output has nothing to act on.
    for (const auto &[set, name] : {std::pair{o.copy, u"--copy"_s}, std::pair{o.entropy, u"--entropy"_s}}) {
        if (!set)
            continue;
        if (o.copy && o.entropy)
            return conflict(u"--copy"_s, u"--entropy"_s);
        if (parser.isSet(count) && !(o.copy && o.count == 1))
            return conflict(u"--count"_s, name);
        if (parser.isSet(format))
            return conflict(u"--format"_s, name);
        if (parser.isSet(output))
            return conflict(u"--output"_s, name);
        if (o.allowDuplicates)
            return conflict(u"--allow-duplicates"_s, name);
        if (o.distinct)
            return conflict(u"--distinct"_s, name);
    }
    return parsed;
}

GenerationSettings settingsForRun(const CliOptions &options, GenerationSettings stored)
{
    const std::pair<QString GenerationSettings::*, const std::optional<QString> *> classes[] = {
        {&GenerationSettings::upperClass, &options.upperClass},
        {&GenerationSettings::lowerClass, &options.lowerClass},
        {&GenerationSettings::digitClass, &options.digitClass},
        {&GenerationSettings::specialClass, &options.specialClass},
    };
    bool classGiven = false;
    for (const auto &[field, override] : classes) {
        if (override->has_value()) {
            stored.*field = **override;
            classGiven = true;
        }
    }
    if (options.wordSymbol)
        stored.wordSymbol = *options.wordSymbol;
    if (options.wordList)
        stored.wordList = *options.wordList;
    stored.capitaliseWords = stored.capitaliseWords || options.capitaliseWords;
    stored.noLookAlike = stored.noLookAlike || options.noLookAlike;
    if (options.mode)
        stored.mode = *options.mode;
    else if (classGiven)
        stored.mode = GenerationMode::Custom;
    return stored;
}

Outcome wordSymbolClash(const CliOptions &options, const GenerationSettings &settings)
{
    if (!options.wordSymbol)
        return {};
    const std::pair<const QString *, QString> symbols[] = {
        {&settings.upperSymbol, u"upper-case letter"_s},
        {&settings.lowerSymbol, u"lower-case letter"_s},
        {&settings.digitSymbol, u"digit"_s},
        {&settings.specialSymbol, u"special character"_s},
        {&settings.counterSymbol, u"incrementing number"_s},
    };
    for (const auto &[symbol, meaning] : symbols) {
        if (*symbol == *options.wordSymbol)
            return Outcome::failure(
                u"--word-symbol '%1' is the %2 symbol already: choose another character"_s.arg(*symbol, meaning));
    }
    return {};
}

QString usageText()
{
    return u"Usage: tessaro-cli [OPTION]... MASK\n"
           u"       tessaro-cli -c [--clear-after SECONDS] [OPTION]... MASK\n"
           u"       tessaro-cli -e [OPTION]... MASK\n"
           u"       tessaro-cli (--rules TEXT | --site NAME) [--length N] [OPTION]... [-e [MASK]]\n"
           u"Run 'tessaro-cli --help' for the options.\n"_s;
}

QString helpText()
{
    return manualAsText(kManualSource);
}
