#pragma once

#include <QtGlobal>

// The memory a run can still take: the least of what the kernel reports as
// available without swapping (MemAvailable in /proc/meminfo) and what the
// address-space limit (ulimit -v) leaves. Unknown limits count as unlimited.
quint64 availableMemory();
