#pragma once

// Shared by the fuzz targets: a home of their own, so that nothing a target
// does can reach the real user's settings or files, and a way to stop on a
// broken promise that libFuzzer reports like a crash.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace FuzzSupport {

// Points HOME and the XDG folders at a fresh folder, in memory (/dev/shm)
// where there is one: the targets that write settings sync them every time.
inline QString isolateHome()
{
    const QString base =
        QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir home(base + QStringLiteral("/tessaro-fuzz-XXXXXX"));
    if (!home.isValid()) {
        std::fprintf(stderr, "cannot create a home for the fuzz target\n");
        std::abort();
    }
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.path() + QStringLiteral("/cache")));
    return home.path();
}

// Ends the run with a message when a promise of the code under test fails.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

} // namespace FuzzSupport
