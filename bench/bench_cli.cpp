// tessaro-cli against pwgen in the same run: one million passwords of a
// typical mask, written to /dev/null, each program timed as a whole process
// with its peak resident set size.

#include "BenchSupport.h"

#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
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
    outcome.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    outcome.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return outcome;
}

// The best of several rounds (the least disturbed by other work on the machine).
Outcome best(const char *label, const std::vector<QByteArray> &arguments, int rounds)
{
    Outcome result;
    result.ms = 1e300;
    for (int round = 0; round < rounds; ++round) {
        const Outcome o = timeProcess(arguments);
        if (!o.ok) {
            std::printf("%-58s failed\n", label);
            return o;
        }
        result.ok = true;
        result.ms = std::min(result.ms, o.ms);
        result.peakMegabytes = std::max(result.peakMegabytes, o.peakMegabytes);
    }
    std::printf("%-58s %9.1f ms  peak RSS %6.1f MB  (best of %d)\n", label, result.ms, result.peakMegabytes, rounds);
    std::fflush(stdout);
    return result;
}

} // namespace

int main()
{
    BenchSupport::isolatedHome(); // no stored settings: the start-up defaults apply

    const QByteArray cli = TESSARO_CLI_PATH;
    const Outcome tessaro =
        best("tessaro-cli -n 1000000 'Xxxx-####-@@@@'", {cli, "-n", "1000000", "Xxxx-####-@@@@"}, 7);
    best("tessaro-cli -n 1000000 --allow-duplicates 'Xxxx-####-@@@@'",
         {cli, "-n", "1000000", "--allow-duplicates", "Xxxx-####-@@@@"}, 7);
    best("tessaro-cli -n 1000000 --format csv 'Xxxx-####-@@@@'",
         {cli, "-n", "1000000", "--format", "csv", "Xxxx-####-@@@@"}, 3);
    best("tessaro-cli -n 1000000 --word-symbol w 'w-w-w-##' (target 300)",
         {cli, "-n", "1000000", "--word-symbol", "w", "w-w-w-##"}, 7);

    const QString pwgenPath = QStandardPaths::findExecutable(QStringLiteral("pwgen"));
    if (pwgenPath.isEmpty()) {
        std::printf("pwgen is not installed (scripts/install-deps installs it): no comparison\n");
        return 0;
    }
    const Outcome pwgen = best("pwgen -s 14 1000000", {pwgenPath.toLocal8Bit(), "-s", "14", "1000000"}, 3);
    if (!tessaro.ok || !pwgen.ok)
        return 1;

    const double ratio = pwgen.ms / tessaro.ms;
    std::printf("tessaro-cli is %.1f times as fast as pwgen (target: at least 40)\n", ratio);
    std::printf("tessaro-cli: %.1f ms (target: at most 100), peak RSS %.1f MB (target: at most 60)\n", tessaro.ms,
                tessaro.peakMegabytes);
    return 0;
}
