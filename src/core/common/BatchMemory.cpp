#include "core/common/BatchMemory.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <thread>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace BatchMemory {

namespace {

std::atomic<bool> g_warm{false};

} // namespace

void warmUp()
{
#if defined(__GLIBC__)
    constexpr std::size_t kMiB = std::size_t(1) << 20;
    constexpr std::uintptr_t kHugePage = 2 * kMiB;
    constexpr std::size_t kWarmBytes = 24 * kMiB;
    // Blocks below 32 MiB come from the heap, and the heap keeps up to
    // 64 MiB free at its top instead of handing it back.
    mallopt(M_MMAP_THRESHOLD, int(32 * kMiB));
    mallopt(M_TRIM_THRESHOLD, int(64 * kMiB));

    // Taken here, on the thread whose heap the window's allocations use;
    // touched and given back on a thread of its own, since a first touch
    // can be slow on a virtual machine and must not hold up the window.
    auto *block = static_cast<char *>(std::malloc(kWarmBytes));
    if (!block) {
        g_warm = true;
        return;
    }
    std::thread([block] {
        const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(block) + kWarmBytes) & ~(kHugePage - 1);
        if (begin < end)
            ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
        const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
        for (std::uintptr_t at = reinterpret_cast<std::uintptr_t>(block);
             at < reinterpret_cast<std::uintptr_t>(block) + kWarmBytes; at += page)
            *reinterpret_cast<volatile char *>(at) = 0;
        std::free(block); // back to the heap it came from, ready for the first batch
        g_warm = true;
    }).detach();
#else
    g_warm = true;
#endif
}

bool isWarm()
{
    return g_warm;
}

} // namespace BatchMemory
