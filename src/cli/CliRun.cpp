#include "cli/CliRun.h"

#include "cli/AvailableMemory.h"
#include "cli/CliOptions.h"
#include "cli/OutputSink.h"
#include "cli/PasswordStream.h"

#include "core/common/ProgramModule.h"
#include "core/generation/PasswordBuilder.h"
#include "core/generation/RandomSource.h"
#include "core/settings/SettingsTable.h"
#include "core/strength/MaskStrength.h"
#include "platform/clipboard/ClipboardHandoverModule.h"

#include <QStringList>

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
// Beyond what a stream holds: thread stacks, the libraries, Qt.
constexpr quint64 kHeadroom = quint64(64) << 20;

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

bool hasCounter(const PasswordBuilder &builder)
{
    for (const PasswordBuilder::Step &step : builder.steps()) {
        if (step.kind == PasswordBuilder::Step::Counter)
            return true;
    }
    return false;
}

int printStrength(const PasswordBuilder &builder)
{
    const MaskStrength::Strength strength = MaskStrength::measure(builder);
    const QString keySpace = MaskStrength::keySpaceText(strength);
    return print(u"Entropy:   %1 bits\nKey space: %2 %3\nStrength:  %4\n"_s.arg(strength.bits, 0, 'f', 2)
                     .arg(keySpace, keySpace == u"1" ? u"password"_s : u"passwords"_s,
                          MaskStrength::englishWord(MaskStrength::rate(strength.bits))));
}

int copyOne(const PasswordBuilder &builder, int clearAfterSeconds)
{
    // The hand-over and Qt Gui with it are loaded for this alone.
    const ProgramModule::Entry serve = ProgramModule::resolve(u"tessaro_clipboard_handover"_s, "tessaroServeClipboard");
    if (!serve.function)
        return fail(u"cannot copy to the clipboard: %1"_s.arg(serve.error));
    RandomSource random;
    qint64 counter = 0;
    const QString password = builder.build(random, counter);
    QString error;
    const bool served =
        reinterpret_cast<decltype(&tessaroServeClipboard)>(serve.function)(password, clearAfterSeconds, &error);
    return served ? 0 : fail(error);
}

volatile std::sig_atomic_t g_stopSignal = 0;

int stream(const PasswordBuilder &builder, const CliOptions &options)
{
    // A reader that stops early must end the run quietly: EPIPE from write()
    // instead of a signal.
    std::signal(SIGPIPE, SIG_IGN);

    StreamRequest request;
    request.count = options.count;
    request.format = options.format;
    request.dropDuplicates = !options.allowDuplicates;
    if (!hasCounter(builder))
        request.distinctPasswords = MaskStrength::measure(builder).exactKeySpace;

    // A run that cannot have the memory it needs ends now, not half way.
    const quint64 needed = streamMemoryNeeded(builder, request) + kHeadroom;
    const quint64 available = availableMemory();
    if (needed > available) {
        return fail(
            u"not enough memory: this run needs %1 MB and %2 MB are available%3"_s.arg((needed + 999999) / 1000000)
                .arg(available / 1000000)
                .arg(request.dropDuplicates ? u" (the duplicate check keeps 20 bytes for each password "
                                              u"asked for: use a smaller -n, or --allow-duplicates)"_s
                                            : QString()));
    }

    if (options.outputFile.isEmpty()) {
        DescriptorSink out(STDOUT_FILENO);
        streamPasswords(builder, request, out);
        if (!out.error().isEmpty())
            return fail(u"cannot write to standard output: %1"_s.arg(out.error()));
        return 0; // also when the reader went away: it had what it wanted
    }

    // Interrupted, the run stops at the next block and the half-written
    // temporary file goes: no stray copy of the passwords is left behind.
    for (int number : {SIGINT, SIGTERM, SIGHUP})
        std::signal(number, [](int received) { g_stopSignal = received; });
    SaveFileSink file(options.outputFile, &g_stopSignal);
    const bool written = file.open() && streamPasswords(builder, request, file).completed && file.commit();
    if (g_stopSignal)
        return 128 + g_stopSignal;
    return written ? 0 : fail(u"cannot write %1: %2"_s.arg(options.outputFile, file.error()));
}

int run(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.error.isEmpty()) {
        printTo(stderr, u"tessaro-cli: %1\n"_s.arg(parsed.error) + usageText());
        return kUsage;
    }
    const CliOptions &options = parsed.options;
    if (options.help)
        return print(helpText());
    if (options.version)
        return print(u"tessaro-cli " TESSARO_VERSION "\n"_s);

    const GenerationSettings settings = settingsForRun(options, GenerationSettings::fromStore());
    const PasswordBuilder builder(options.mask, settings);
    // A list given for this run is checked even when the mask has no word.
    WordList::Read words = builder.wordList();
    if (!words.words && words.problem.isEmpty() && options.wordList)
        words = WordList::read(*options.wordList, settings.capitaliseWords);
    if (!words.problem.isEmpty()) {
        printTo(stderr, u"tessaro-cli: %1\n"_s.arg(words.message()) + usageText());
        return kUsage;
    }
    if (options.entropy)
        return printStrength(builder);
    if (builder.steps().empty())
        return fail(u"the mask gives only empty passwords (no characters to copy, and every symbol draws from an "
                    u"empty class)"_s);
    if (options.copy)
        // Without --clear-after, the window's "clear after 10 seconds" holds.
        return copyOne(builder,
                       options.clearAfterSeconds > 0 ? options.clearAfterSeconds : Settings::clearAfterSeconds());
    return stream(builder, options);
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
