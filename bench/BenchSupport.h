#pragma once

// Shared helpers of the benchmarks: a private settings store, a timer and
// the peak resident set size.

#include <QByteArray>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace BenchSupport {

// Points the settings store and the user's folders at a temporary folder.
inline QTemporaryDir &isolatedHome()
{
    static QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    return home;
}

inline double peakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// What this process holds in memory now (resident set).
inline double currentRssMegabytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// Page faults of this process so far that needed no disk read: each one
// is the kernel handing over a page on first touch.
inline long minorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// The processor time this process has used so far, user and system, in
// milliseconds: unlike the time on the clock, it does not grow while other
// programs have the processor.
inline double cpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

inline void report(const char *what, qint64 items, qint64 nanoseconds)
{
    const double ms = nanoseconds / 1e6;
    std::printf("%-48s %9.1f ms  %12.0f per second  peak RSS %6.1f MB\n", what, ms, items / (nanoseconds / 1e9),
                peakRssMegabytes());
    std::fflush(stdout);
}

} // namespace BenchSupport
