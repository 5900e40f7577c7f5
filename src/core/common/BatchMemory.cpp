#include "common/BatchMemory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace BatchMemory {

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

    auto *block = static_cast<char *>(std::malloc(kWarmBytes));
    if (!block)
        return;
    // Only whole huge pages inside the block are touched; the rest of it
    // stays untouched rather than costing a fault per 4 KiB.
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(block) + kWarmBytes) & ~(kHugePage - 1);
    if (begin < end) {
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
        const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
        for (std::uintptr_t at = begin; at < end; at += page)
            *reinterpret_cast<volatile char *>(at) = 0;
    }
    std::free(block); // stays on the heap, ready for the first batch
#endif
}

} // namespace BatchMemory
