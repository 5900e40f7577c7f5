#include "cli/CliRun.h"

#include "cli/CliOptions.h"
#include "cli/DistinctPasswords.h"
#include "cli/OutputSink.h"
#include "cli/PasswordOutput.h"
#include "core/generation/PasswordStream.h"

#include "core/common/AvailableMemory.h"
#include "core/common/ProgramModule.h"
#include "core/generation/PasswordBuilder.h"
#include "core/generation/RandomSource.h"
#include "core/rules/MaskCheck.h"
#include "core/rules/PasswordRules.h"
#include "core/rules/RulesMaker.h"
#include "core/rules/RulesStrength.h"
#include "core/rules/SiteRules.h"
#include "core/settings/SettingsTable.h"
#include "core/strength/MaskStrength.h"
#include "platform/clipboard/ClipboardHandoverModule.h"

#include <QStringList>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;

// False, with errno set, when the text could not be written whole.
bool printTo(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

int fail(const QString &message)
{
    printTo(stderr, u"tessaro-cli: %1\n"_s.arg(message));
    return kFailure;
}

// Help, version and strength texts fail like the password output does.
int print(const QString &text)
{
    if (printTo(stdout, text))
        return 0;
    return fail(u"cannot write to standard output: %1"_s.arg(QString::fromLocal8Bit(std::strerror(errno))));
}

// A word of its own on stderr, when there is one.
void note(const QString &message)
{
    if (!message.isEmpty())
        printTo(stderr, u"tessaro-cli: %1\n"_s.arg(message));
}

int printStrength(const PasswordBuilder &builder)
{
    // Where words run together in more ways than were counted, the bits are
    // what the mask is sure to reach and the key space what it may reach.
    const MaskStrength::Strength strength = MaskStrength::measure(builder);
    const QString keySpace = MaskStrength::keySpaceText(strength);
    return print(
        u"Entropy:   %1%2 bits\nKey space: %3%4 %5\nStrength:  %6\n"_s.arg(strength.exact ? QString() : u"at least "_s)
            .arg(strength.bits, 0, 'f', 2)
            .arg(strength.exact ? QString() : u"at most "_s, keySpace,
                 keySpace == u"1" ? u"password"_s : u"passwords"_s,
                 MaskStrength::englishWord(MaskStrength::rate(strength.bits))));
}

int copyOne(const PasswordMaker &maker, const CliOptions &options)
{
    // Without --clear-after, the window's "clear after 10 seconds" holds.
    const int clearAfterSeconds =
        options.clearAfterSeconds > 0 ? options.clearAfterSeconds : Settings::clearAfterSeconds();
    // The hand-over and Qt Gui with it are loaded for this alone.
    const ProgramModule::Entry serve = ProgramModule::resolve(u"tessaro_clipboard_handover"_s, "tessaroServeClipboard");
    if (!serve.function)
        return fail(u"cannot copy to the clipboard: %1"_s.arg(serve.error));
    RandomSource random;
    qint64 counter = 0;
    const QString password = maker.build(random, counter);
    Outcome served;
    reinterpret_cast<decltype(&tessaroServeClipboard)>(serve.function)(password, clearAfterSeconds, &served);
    return served.ok() ? 0 : fail(served.reason());
}

// The file being written, for the signal handler.
std::atomic<const SaveFileSink *> g_unfinished{nullptr};

// Ends the run at once, whatever it waits for (a FIFO's reader that never
// comes or never reads), and leaves no half-written copy of the passwords.
[[noreturn]] void endAtOnce(int received)
{
    if (const SaveFileSink *file = g_unfinished.load())
        file->discardBeforeExit();
    ::_exit(128 + received);
}

int stream(const PasswordMaker &maker, const DistinctPasswords &distinct, const CliOptions &options)
{
    // A reader that stops early must end the run quietly: EPIPE from write()
    // instead of a signal.
    std::signal(SIGPIPE, SIG_IGN);

    if (options.distinct) {
        const QString refusal = distinct.refusal(options.count);
        if (!refusal.isEmpty())
            return fail(refusal);
    }

    StreamRequest request;
    request.count = options.count;
    request.dropDuplicates = !options.allowDuplicates;
    request.untilCount = options.distinct;
    if (request.dropDuplicates)
        request.distinctPasswords = distinct.most();

    // A run that cannot have the memory it needs ends now, not half way.
    if (const std::optional<MemoryShortfall> shortfall =
            memoryShortfall(streamMemoryNeeded(maker, request, PasswordOutput::needsOf(options.format)))) {
        const QString advice = request.dropDuplicates ? u" (the duplicate check keeps 20 bytes for each password "
                                                        u"asked for: use a smaller -n, or --allow-duplicates)"_s
                                                      : QString();
        return fail(u"not enough memory: this run "_s + shortfall->needsAndAvailable() + advice);
    }

    if (options.outputFile.isEmpty()) {
        DescriptorSink out(STDOUT_FILENO);
        PasswordOutput output(options.format, out);
        const StreamResult result = streamPasswords(maker, request, output);
        if (!out.error().isEmpty())
            return fail(u"cannot write to standard output: %1"_s.arg(out.error()));
        if (result.completed)
            note(distinct.shortfall(options.count, result.written));
        return 0; // also when the reader went away: it had what it wanted
    }

    SaveFileSink file(options.outputFile);
    g_unfinished = &file;
    for (int number : {SIGINT, SIGTERM, SIGHUP})
        std::signal(number, endAtOnce);
    PasswordOutput output(options.format, file);
    StreamResult result;
    const bool written = file.open() && (result = streamPasswords(maker, request, output)).completed && file.commit();
    for (int number : {SIGINT, SIGTERM, SIGHUP})
        std::signal(number, SIG_DFL);
    g_unfinished = nullptr;
    if (!written)
        return fail(u"cannot write %1: %2"_s.arg(options.outputFile, file.error()));
    note(distinct.shortfall(options.count, result.written));
    return 0;
}

int printRulesStrength(const PasswordRules &rules, int length)
{
    const RulesStrength strength = measure(rules, length);
    QString text =
        u"Length:    %1 (the rules allow %2 to %3)\nPasswords: %4\nEntropy:   %5 bits\nStrength:  %6\n"_s.arg(length)
            .arg(rules.shortest())
            .arg(rules.longest())
            .arg(strength.count)
            .arg(strength.bits, 0, 'f', 2)
            .arg(MaskStrength::englishWord(strength.rating));
    if (rules.drawnFromAscii)
        text += u"Drawn:     from printable ASCII (the rules allow any character)\n"_s;
    const int printed = print(text);
    return printed == 0 && !strength.usable ? fail(strength.problem) : printed;
}

int printMaskCheck(const PasswordRules &rules, const PasswordBuilder &builder)
{
    const MaskCheck check = checkMask(rules, builder);
    if (!check.checked)
        return fail(check.notChecked);
    if (check.breaks.isEmpty())
        return print(u"Every password of this mask meets the rules.\n"_s);
    const int printed =
        print(u"Passwords of this mask can break the rules:\n  "_s + check.breaks.join(u"\n  "_s) + u'\n');
    return printed == 0 ? kFailure : printed;
}

// --rules or --site: passwords drawn from a website's rules, their strength,
// or a mask checked against them.
int runRules(const CliOptions &options, const GenerationSettings &settings)
{
    const PasswordRules::Read read =
        options.site ? SiteRules::rulesFor(*options.site) : PasswordRules::read(*options.rules);
    if (!read.outcome)
        return fail(read.outcome.reason());
    const PasswordRules &rules = read.rules;
    if (options.entropy && !options.mask.isEmpty())
        return printMaskCheck(rules, PasswordBuilder(options.mask, settings));
    const int length = options.length.value_or(rules.defaultLength());
    if (const Outcome fits = rules.checkLength(length); !fits)
        return fail(fits.reason());
    if (options.entropy)
        return printRulesStrength(rules, length);
    const RulesMaker maker(rules, length);
    if (!maker.usable())
        return fail(maker.usable().reason());
    if (options.copy)
        return copyOne(maker, options);
    return stream(maker, DistinctPasswords(maker, measure(rules, length).bits), options);
}

int run(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.outcome.ok()) {
        printTo(stderr, u"tessaro-cli: %1\n"_s.arg(parsed.outcome.reason()) + usageText());
        return kUsage;
    }
    const CliOptions &options = parsed.options;
    if (options.help)
        return print(helpText());
    if (options.version)
        return print(u"tessaro-cli " TESSARO_VERSION "\n"_s);

    const GenerationSettings settings = settingsForRun(options, GenerationSettings::fromStore());
    if (const Outcome clash = wordSymbolClash(options, settings); !clash.ok()) {
        printTo(stderr, u"tessaro-cli: %1\n"_s.arg(clash.reason()) + usageText());
        return kUsage;
    }
    if (options.rules || options.site)
        return runRules(options, settings);
    const PasswordBuilder builder(options.mask, settings);
    // A list given for this run is checked even when the mask has no word.
    WordList::Read words = builder.wordList();
    if (!words.words && words.outcome.ok() && options.wordList)
        words = WordList::read(*options.wordList, settings.capitaliseWords);
    if (!words.outcome.ok()) {
        printTo(stderr, u"tessaro-cli: %1\n"_s.arg(words.outcome.reason()) + usageText());
        return kUsage;
    }
    if (options.entropy)
        return printStrength(builder);
    if (builder.steps().empty())
        return fail(u"the mask gives only empty passwords (no characters to copy, and every symbol draws from an "
                    u"empty class)"_s);
    if (options.copy)
        return copyOne(builder, options);
    return stream(builder, DistinctPasswords(builder), options);
}

} // namespace

int runCli(int argc, char *argv[])
{
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc &) {
        // By now the stack is unwound: the duplicate check's memory is given
        // back and an unfinished -o file is gone. No allocation here.
        std::fputs("tessaro-cli: out of memory: the duplicate check keeps every password made so far; "
                   "--allow-duplicates needs no memory for it, or ask for fewer with -n\n",
                   stderr);
        return kFailure;
    }
}
