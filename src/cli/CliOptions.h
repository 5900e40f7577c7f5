#pragma once

#include "core/common/Outcome.h"
#include "core/generation/GenerationSettings.h"

#include <QString>
#include <QStringList>

#include <optional>

enum class OutputFormat {
    Lines, // one password per line, LF line ends
    Text,  // the window's Save as Text layout (CR LF line ends)
    Csv,   // the window's Save as CSV layout (six to a line)
};

// What one run of tessaro-cli was asked to do.
struct CliOptions
{
    QString mask; // with rules: the mask -e checks, or empty
    // --rules TEXT or --site NAME: passwords drawn from a website's rules
    // (at --length characters) instead of a mask.
    std::optional<QString> rules;
    std::optional<QString> site;
    std::optional<int> length;
    qint32 count = 1;
    bool allowDuplicates = false;
    bool distinct = false;              // draw until count different passwords are out
    std::optional<GenerationMode> mode; // --default or --custom
    // --upper, --lower, --digits, --special: a class for this run only.
    std::optional<QString> upperClass;
    std::optional<QString> lowerClass;
    std::optional<QString> digitClass;
    std::optional<QString> specialClass;
    // --word-symbol, --word-list, --capitalise-words, --no-look-alike: for this run only.
    std::optional<QString> wordSymbol;
    std::optional<QString> wordList;
    bool capitaliseWords = false;
    bool noLookAlike = false;
    OutputFormat format = OutputFormat::Lines;
    QString outputFile; // empty: standard output
    bool copy = false;
    int clearAfterSeconds = 0; // 0: leave the password on the clipboard
    bool entropy = false;
    bool help = false;
    bool version = false;
};

struct ParsedArguments
{
    CliOptions options;
    Outcome outcome; // a failure's reason is one line
};

// Reads the command line (arguments[0] is the program's name). Checks every
// value and every combination; says what is wrong in one line.
ParsedArguments parseArguments(const QStringList &arguments);

// The settings a run generates with: the stored ones (as
// GenerationSettings::fromStore() gives them), then this run's mode, classes
// and word and look-alike options.
GenerationSettings settingsForRun(const CliOptions &options, GenerationSettings stored);

// With --word-symbol: a failure when the character is already one of the
// five other symbols (which are tested first).
Outcome wordSymbolClash(const CliOptions &options, const GenerationSettings &settings);

// The synopsis printed under an error, and the manual page tessaro-cli(1)
// as --help prints it.
QString usageText();
QString helpText();
