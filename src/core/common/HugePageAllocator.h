#pragma once

#include "core/common/RecentMappings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

// An allocator for large arrays that are filled once and read often (the
// pages of a million passwords, the duplicate table). Blocks of 2 MiB and
// more are aligned to 2 MiB and offered to the kernel as transparent huge
// pages, which saves hundreds of page faults per megabyte on first touch.
// Freed, they are unmapped, or kept a few seconds for the next batch where
// the process asked for that (RecentMappings).
template <typename T> struct HugePageAllocator
{
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t(2) << 20;

    HugePageAllocator() = default;
    template <typename U> constexpr HugePageAllocator(const HugePageAllocator<U> &) noexcept {}

    T *allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePage) {
            if (void *p = std::malloc(bytes ? bytes : 1))
                return static_cast<T *>(p);
            throw std::bad_alloc();
        }
#if defined(__linux__)
        // Mapped directly, not through malloc, which would keep the memory
        // after it is freed.
        if (void *kept = RecentMappings::take(roundUp(bytes)))
            return static_cast<T *>(kept);
        if (void *mapped = mapHugePages(bytes))
            return static_cast<T *>(mapped);
        throw std::bad_alloc();
#else
        if (void *p = std::malloc(bytes))
            return static_cast<T *>(p);
        throw std::bad_alloc();
#endif
    }

    // As allocate(), but zeroed: large blocks straight from the kernel, which
    // zeroes them as they are first touched, or a kept mapping zeroed again
    // (no page faults). Given back with deallocate().
    T *allocateZeroed(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
#if defined(__linux__)
        if (bytes >= kHugePage) {
            if (void *kept = RecentMappings::take(roundUp(bytes)))
                return static_cast<T *>(std::memset(kept, 0, roundUp(bytes)));
            if (void *mapped = mapHugePages(bytes))
                return static_cast<T *>(mapped);
            throw std::bad_alloc();
        }
#endif
        // On a cache line of its own, as a mapping would be.
        const std::size_t lines = (bytes + 63) / 64 * 64;
        if (void *p = std::aligned_alloc(64, lines ? lines : 64))
            return static_cast<T *>(std::memset(p, 0, lines));
        throw std::bad_alloc();
    }

    void deallocate(T *p, std::size_t n) noexcept
    {
        const std::size_t bytes = n * sizeof(T);
#if defined(__linux__)
        if (bytes >= kHugePage) {
            if (!RecentMappings::giveBack(p, roundUp(bytes)))
                ::munmap(p, roundUp(bytes));
            return;
        }
#endif
        std::free(p);
    }

#if defined(__linux__)
    // Zeroed memory straight from the kernel: whole huge pages, aligned to
    // 2 MiB by trimming the mapping's ends and offered as transparent huge
    // pages; nullptr when there is none. Given back with munmap(p, roundUp(bytes)).
    static void *mapHugePages(std::size_t bytes) noexcept
    {
        const std::size_t rounded = roundUp(bytes);
        void *mapped = ::mmap(nullptr, rounded + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            return nullptr;
        auto *base = static_cast<char *>(mapped);
        const std::size_t head = (kHugePage - reinterpret_cast<std::uintptr_t>(base) % kHugePage) % kHugePage;
        if (head)
            ::munmap(base, head);
        ::munmap(base + head + rounded, kHugePage - head);
#if defined(MADV_HUGEPAGE)
        ::madvise(base + head, rounded, MADV_HUGEPAGE);
#endif
        return base + head;
    }
#endif

    static std::size_t roundUp(std::size_t bytes)
    {
        return (bytes + kHugePage - 1) / kHugePage * kHugePage;
    }

    template <typename U> bool operator==(const HugePageAllocator<U> &) const noexcept
    {
        return true;
    }
};
