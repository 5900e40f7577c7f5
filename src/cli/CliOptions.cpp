#include "cli/CliOptions.h"

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
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s});
    const QCommandLineOption version(QStringList{u"v"_s, u"version"_s});
    parser.addOptions({count, allowDuplicates, defaultMode, customMode, upper, lower, digits, special, wordSymbol,
                       wordList, capitaliseWords, noLookAlike, format, output, copy, clearAfter, entropy, help,
                       version});
    parser.addOption(distinct);

    ParsedArguments parsed;
    CliOptions &o = parsed.options;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        if (parsed.error.endsWith(u'.'))
            parsed.error.chop(1);
        return parsed;
    }
    o.help = parser.isSet(help);
    o.version = parser.isSet(version);
    if (o.help || o.version)
        return parsed;

    auto fail = [&parsed](const QString &message) {
        parsed.error = message;
        return parsed;
    };
    auto conflict = [&](const QString &a, const QString &b) { return fail(u"%1 cannot be used with %2"_s.arg(a, b)); };

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return fail(u"no mask given"_s);
    if (positional.size() > 1)
        return fail(u"one mask expected, got %1 (quote a mask that holds blanks)"_s.arg(positional.size()));
    o.mask = positional.front();

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

QString wordSymbolClash(const CliOptions &options, const GenerationSettings &settings)
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
            return u"--word-symbol '%1' is the %2 symbol already: choose another character"_s.arg(*symbol, meaning);
    }
    return {};
}

QString usageText()
{
    return u"Usage: tessaro-cli [OPTION]... MASK\n"
           u"       tessaro-cli -c [--clear-after SECONDS] [OPTION]... MASK\n"
           u"       tessaro-cli -e [OPTION]... MASK\n"
           u"Run 'tessaro-cli --help' for the options.\n"_s;
}

QString helpText()
{
    return uR"(NAME
    tessaro-cli - make passwords from a mask, for scripts

SYNOPSIS
    tessaro-cli [-n N] [--distinct | --allow-duplicates] [-o FILE]
                [--format lines|text|csv] [--default | --custom] [--upper SET]
                [--lower SET] [--digits SET] [--special SET] [--word-symbol C]
                [--word-list FILE] [--capitalise-words] [--no-look-alike] MASK
    tessaro-cli -c [--clear-after SECONDS] [generation options] MASK
    tessaro-cli -e [generation options] MASK
    tessaro-cli -h | -v

DESCRIPTION
    Writes passwords made from MASK to standard output, one per line. In a
    mask, X stands for a random upper-case letter, x for a lower-case letter,
    # for a digit, @ for a special character and i for an incrementing number
    (0, 1, 2, ... over the whole run); every other character is copied. A
    word symbol, when one is set, stands for a word drawn from a word list.

    The passwords are made exactly as the Tessaro window makes them: the mask
    symbols, the character classes and default or custom generation are read
    from Tessaro's settings as the window left them, and where nothing is
    stored the start-up defaults apply. tessaro-cli never writes a setting.
    A password that is empty or equal to an earlier one is dropped and not
    made again, so fewer than N passwords may come out; tessaro-cli then
    says on standard error how many came out and how many the mask allows.
    With --distinct it draws again until N different passwords are out.

    The duplicate check keeps 16 bytes of each password written: all of a
    password of up to 15 bytes (in UTF-8), and of a longer one a 128-bit
    fingerprint, a hash keyed anew for every run. A password equal to an
    earlier one is never written; a new one is taken for a duplicate only
    when two fingerprints meet, a chance below 2^-60 over 2^32 passwords.
    The check takes at most 20 bytes for each password asked for (at most
    2.2 GB for 100 million), all when the run starts: a run that cannot have
    that much memory stops at once.

OPTIONS
    -n, --count N
        Make N attempts, 1 to 2147483647 (default 1). Passwords are written
        in large blocks as they are made, never collected first; only what
        the duplicate check needs is kept.

    --distinct
        Draw again in place of each dropped password, until exactly N
        different passwords are written. When the mask allows fewer than N,
        or its words can run together so that N can't be promised,
        tessaro-cli says so at once and writes nothing (status 1). With the
        incrementing number every password is new: any N can be had.

    --allow-duplicates
        Keep passwords equal to earlier ones: every attempt is written and
        the memory used stays the same however large N is.

    --default
        Default generation: A-Z, a-z, 0-9 and the visible Windows-1252
        characters of codes 123 to 255.

    --custom
        Custom generation: the four classes as stored in the settings.

    --upper SET, --lower SET, --digits SET, --special SET
        Draw that symbol's characters from SET for this run (a character
        listed twice is twice as likely; an empty SET adds nothing). Implies
        --custom; the other classes stay as stored.

    --word-symbol C
        Let the character C stand for a word of the word list. C must not be
        one of the five other symbols (as stored): those are tested first,
        so it would never stand for a word. No symbol stands for words
        unless one is set here or in the window's Mask Options.

    --word-list FILE
        Draw words from FILE: UTF-8 text, one word a line (a dice number
        before the word is skipped; blank lines, repeats and lines with a
        blank or a control character inside are left out); at least 2
        different words, at most 1,000,000 lines and 16 MiB. Without it, the
        list set in the window, or the shipped English list (the EFF large
        word list, 7,776 words). In a shared folder (see --output) another
        user's list or link is refused.

    --capitalise-words
        Write each word with its first letter in upper case.

    --no-look-alike
        Leave characters that are easily confused out of every class:
        0 O o 1 l I i | ! 2 Z 5 S 8 B, quote-like marks (' ` ´ ‘ ’ " ¨ “ ”),
        ˜ ~ ¸ , . · and the dashes - – —. A class made only of them is kept
        whole. Words and copied characters are never changed.

    --format FORMAT
        lines  one password per line, each ended by LF (the default)
        text   the window's Save as Text layout: each line ended by CR LF
        csv    the window's Save as CSV layout: six passwords to a line,
               separated by commas, lines ended by CR LF; a password holding a
               comma or a double quote is quoted
        The output is UTF-8. A spreadsheet may read a CSV value that begins
        with =, +, - or @ as a formula: the file holds the passwords
        unchanged, so open it as text (or import the column as text).

    -o, --output FILE
        Write to FILE instead of standard output. FILE is created readable
        and writable by you alone, and an earlier FILE is replaced only when
        everything has been written; interrupted, the run leaves no part of
        it behind. A FIFO or a device is written into. In a folder shared
        with other users (sticky and writable by all, like /tmp), a file,
        FIFO or symbolic link there that belongs neither to you nor to the
        folder's owner is refused.

    -c, --copy
        Put one password on the clipboard instead of printing it, as
        'tessaro MASK' does. On X11 a small background process keeps it
        there until another program takes the clipboard; clipboard managers
        are asked not to keep it.

    --clear-after SECONDS
        With --copy: empty the clipboard after SECONDS (1 to 2147483), but
        only if it still holds the password by then. Without it, the
        window's option to clear copied passwords after 10 seconds holds.

    -e, --entropy
        Print the mask's strength instead of passwords: its min-entropy in
        bits (-log2 of the chance of its likeliest password, so a class that
        lists one character many times counts for what that character
        gives), the number of distinct passwords it can give, and the rating
        of the bits (Poor below 40, Weak below 65, Good below 100, Excellent
        from 100). Two word symbols can join words into one password in two
        ways ("a" and "aa" give "aaa" both ways): it is counted once, with
        both chances. Where the list is too large to count that way, the
        bits read "at least" and the number "at most".

    -h, --help
        Print this text.

    -v, --version
        Print the version.

    A mask that begins with '-' is given after '--'.

EXAMPLES
    tessaro-cli 'Xxxx-####-@@@@'
    tessaro-cli -n 1000 --format csv -o passwords.csv 'Xxxx-####'
    tessaro-cli -n 500 --distinct '###'
    tessaro-cli --special '!#$%&' -n 5 'xxxx@@##'
    tessaro-cli -c --clear-after 30 'Xxxx-####-@@@@'
    tessaro-cli -e --default 'XXXXXXXX'
    tessaro-cli --word-symbol w --capitalise-words -n 3 'w-w-w-##'
    tessaro-cli -n 100000000 --allow-duplicates 'Xxxx####' | head -n 3
    tessaro-cli -- '-Xx#-'

EXIT STATUS
    0   Success, also when the reader of the output stops early.
    1   The mask gives empty passwords, allows fewer than N with --distinct,
        the memory for the run is not there, the output could not be
        written, or the clipboard could not be set.
    2   A bad option or value (a word symbol that is another symbol already),
        or a word list that can't be used.

FILES
    ~/.config/Brasmoor/Tessaro.conf
        The settings read (where $XDG_CONFIG_HOME points elsewhere, there).
)"_s;
}
