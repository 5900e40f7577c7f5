#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The memory a job can still take: the least of what the kernel reports as
// available without swapping (MemAvailable in /proc/meminfo) and what the
// address-space limit (ulimit -v) leaves. Unknown limits count as unlimited.
quint64 availableMemory();

// A job that cannot have its memory is refused before it starts, never
// ended half way by a failed allocation.
struct MemoryShortfall
{
    quint64 needed = 0; // the job's own bytes and the headroom
    quint64 available = 0;

    // "needs 1234 MB and 567 MB are available"
    QString needsAndAvailable() const;
    quint64 neededMegabytes() const { return (needed + 999999) / 1000000; }
    quint64 availableMegabytes() const { return available / 1000000; }
};

// Beyond what a job's own arrays take: thread stacks, the libraries, Qt.
inline constexpr quint64 kMemoryHeadroom = quint64(64) << 20;

// Nothing when a job of jobBytes fits in availableMemory() with the headroom.
std::optional<MemoryShortfall> memoryShortfall(quint64 jobBytes);
