#include "core/common/AvailableMemory.h"

#include <QFile>

#include <limits>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr quint64 kUnlimited = std::numeric_limits<quint64>::max();

quint64 memAvailable()
{
    // /proc files report a size of 0: read them whole, not by their size.
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return kUnlimited;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.startsWith("MemAvailable:"))
            continue;
        bool ok = false;
        const quint64 kilobytes = line.simplified().split(' ').value(1).toULongLong(&ok); // "MemAvailable: N kB"
        return ok ? kilobytes * 1024 : kUnlimited;
    }
    return kUnlimited;
}

quint64 addressSpaceLeft()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return kUnlimited;
    // The first field of /proc/self/statm is the address space in use, in pages.
    QFile file(QStringLiteral("/proc/self/statm"));
    quint64 pages = 0;
    if (file.open(QIODevice::ReadOnly))
        pages = file.readAll().split(' ').value(0).toULongLong();
    const quint64 used = pages * quint64(::sysconf(_SC_PAGESIZE));
    return quint64(limit.rlim_cur) > used ? quint64(limit.rlim_cur) - used : 0;
}

} // namespace

quint64 availableMemory()
{
    return qMin(memAvailable(), addressSpaceLeft());
}

QString MemoryShortfall::needsAndAvailable() const
{
    return QStringLiteral("needs %1 MB and %2 MB are available").arg(neededMegabytes()).arg(availableMegabytes());
}

std::optional<MemoryShortfall> memoryShortfall(quint64 jobBytes)
{
    const quint64 needed = jobBytes > kUnlimited - kMemoryHeadroom ? kUnlimited : jobBytes + kMemoryHeadroom;
    const quint64 available = availableMemory();
    if (needed > available)
        return MemoryShortfall{needed, available};
    return std::nullopt;
}
