// tessaro-cli as a whole process, written to /dev/null: the cost curve of
// the duplicate check from 1 M to 10 M passwords (100 M with --long), the
// same without the check, and in the same run the shell pipeline a script
// writer would use instead, and pwgen.

#include "BenchSupport.h"

#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Outcome
{
    double ms = 0;
    double userMs = 0;   // processor time, of the round timed
    double systemMs = 0; // the kernel's share: page faults, zeroing memory
    double peakMegabytes = 0;
    bool ok = false;
};

Outcome timeProcess(const std::vector<QByteArray> &arguments)
{
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);

    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);

    Outcome outcome;
    outcome.ms = double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
    outcome.userMs = double(usage.ru_utime.tv_sec) * 1e3 + double(usage.ru_utime.tv_usec) / 1e3;
    outcome.systemMs = double(usage.ru_stime.tv_sec) * 1e3 + double(usage.ru_stime.tv_usec) / 1e3;
    outcome.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    outcome.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return outcome;
}

// The best of several rounds (the least disturbed by other work on the machine).
Outcome best(const std::vector<QByteArray> &arguments, int rounds)
{
    Outcome result;
    result.ms = 1e300;
    for (int round = 0; round < rounds; ++round) {
        const Outcome o = timeProcess(arguments);
        if (!o.ok)
            return o;
        result.ok = true;
        const double peak = std::max(result.peakMegabytes, o.peakMegabytes);
        if (o.ms < result.ms)
            result = o;
        result.peakMegabytes = peak;
    }
    return result;
}

Outcome reference(const char *label, const std::vector<QByteArray> &arguments, int rounds)
{
    const Outcome o = best(arguments, rounds);
    if (o.ok)
        std::printf("%-62s %9.1f ms  peak RSS %7.1f MB\n", label, o.ms, o.peakMegabytes);
    else
        std::printf("%-62s failed\n", label);
    std::fflush(stdout);
    return o;
}

// One row per size: time, time and bytes per password, and the time per
// password against the size before (1.0 is a straight line).
std::vector<Outcome> curve(const QByteArray &cli, const std::vector<QByteArray> &options,
                           const std::vector<qint64> &sizes)
{
    std::printf("%11s %11s %9s %9s %9s %10s %9s %10s\n", "passwords", "time ms", "user ms", "sys ms", "ns/pw",
                "peak MB", "bytes/pw", "ratio/pw");
    std::vector<Outcome> outcomes;
    for (size_t i = 0; i < sizes.size(); ++i) {
        std::vector<QByteArray> arguments{cli, "-n", QByteArray::number(sizes[i])};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.push_back("Xxxxxxxx####");
        // Three rounds at 100 M: on a virtual machine that hands freed memory
        // back to its host, a round may pay a second or more for the host to
        // supply it again.
        const int rounds = sizes[i] <= 1000000 ? 7 : 3;
        const Outcome o = best(arguments, rounds);
        outcomes.push_back(o);
        if (!o.ok) {
            std::printf("%11lld failed\n", static_cast<long long>(sizes[i]));
            continue;
        }
        const double nsPer = o.ms * 1e6 / double(sizes[i]);
        std::printf("%11lld %11.1f %9.0f %9.0f %9.1f %10.1f %9.1f", static_cast<long long>(sizes[i]), o.ms, o.userMs,
                    o.systemMs, nsPer, o.peakMegabytes, o.peakMegabytes * 1048576.0 / double(sizes[i]));
        if (i > 0 && outcomes[i - 1].ok)
            std::printf(" %10.2f", nsPer / (outcomes[i - 1].ms * 1e6 / double(sizes[i - 1])));
        std::printf("\n");
        std::fflush(stdout);
    }
    return outcomes;
}

} // namespace

// bench_cli [--long] [OTHER]: OTHER, another build's tessaro-cli, gets the
// same curves in the same run, for a before and after side by side.
int main(int argc, char *argv[])
{
    BenchSupport::isolatedHome(); // no stored settings: the start-up defaults apply
    const bool long_ = argc > 1 && std::strcmp(argv[1], "--long") == 0;
    std::vector<qint64> sizes{1000000, 10000000};
    if (long_)
        sizes.push_back(100000000);
    const QByteArray cli = TESSARO_CLI_PATH;
    std::vector<QByteArray> programs{cli};
    if (argc > (long_ ? 2 : 1))
        programs.push_back(argv[argc - 1]);

    bool ok = true;
    const auto allOk = [](const std::vector<Outcome> &outcomes) {
        return std::all_of(outcomes.begin(), outcomes.end(), [](const Outcome &o) { return o.ok; });
    };
    for (const QByteArray &program : programs) {
        std::printf("%s -n N 'Xxxxxxxx####' > /dev/null, with the duplicate check\n", program.constData());
        ok = allOk(curve(program, {}, sizes)) && ok;
        std::printf("the same with --allow-duplicates\n");
        ok = allOk(curve(program, {"--allow-duplicates"}, sizes)) && ok;
    }

    reference("tessaro-cli -n 1 X: start-up and exit alone", {cli, "-n", "1", "X"}, 15);
    std::printf("references, 1 M passwords of 14 characters\n");
    reference("tr -dc 'A-Za-z0-9' </dev/urandom | head -c 14000000 | fold -w 14",
              {"/bin/sh", "-c", "tr -dc 'A-Za-z0-9' </dev/urandom | head -c 14000000 | fold -w 14"}, 3);
    const Outcome tessaro =
        reference("tessaro-cli -n 1000000 'Xxxx-####-@@@@'", {cli, "-n", "1000000", "Xxxx-####-@@@@"}, 7);
    reference("tessaro-cli -n 1000000 --format csv 'Xxxx-####-@@@@'",
              {cli, "-n", "1000000", "--format", "csv", "Xxxx-####-@@@@"}, 3);
    reference("tessaro-cli -n 1000000 --word-symbol w 'w-w-w-##' (target 300)",
              {cli, "-n", "1000000", "--word-symbol", "w", "w-w-w-##"}, 7);
    // Website rules against a mask drawing from the same 70 characters: the
    // rules draw again whenever a required group is missing (about 1 in 4).
    std::printf("website rules against a mask, 1 M passwords of 16 characters\n");
    const Outcome rules = reference(
        "tessaro-cli -n 1000000 --rules '16; upper; lower; digit; [!#$%&*@^]'",
        {cli, "-n", "1000000", "--rules",
         "minlength: 16; maxlength: 16; required: upper; required: lower; required: digit; required: [!#$%&*@^]"},
        7);
    const Outcome mask =
        reference("tessaro-cli -n 1000000 --upper 'A-Za-z0-9!#$%&*@^' XXXXXXXXXXXXXXXX",
                  {cli, "-n", "1000000", "--upper",
                   "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!#$%&*@^", "XXXXXXXXXXXXXXXX"},
                  7);
    if (rules.ok && mask.ok)
        std::printf("rules take %.2f times the mask's time (target: at most 1.5), %.2f times its peak memory\n",
                    rules.ms / mask.ms, rules.peakMegabytes / mask.peakMegabytes);

    const QString pwgenPath = QStandardPaths::findExecutable(QStringLiteral("pwgen"));
    if (pwgenPath.isEmpty()) {
        std::printf("pwgen is not installed (scripts/install-deps installs it): no comparison\n");
    } else {
        const Outcome pwgen = reference("pwgen -s 14 1000000", {pwgenPath.toLocal8Bit(), "-s", "14", "1000000"}, 1);
        if (pwgen.ok && tessaro.ok)
            std::printf("tessaro-cli is %.1f times as fast as pwgen (target: at least 40)\n", pwgen.ms / tessaro.ms);
    }

    std::printf("targets: 1 M checked at most 60 ms, 10 M at most 700 ms, unchecked at most 40 ms per million, "
                "per-password ratio at most 1.2, at most 20 bytes a password for the check\n");
    return ok ? 0 : 1;
}
