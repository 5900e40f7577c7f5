#include "core/common/BatchMemory.h"

#include "core/common/HugePageAllocator.h"

#include <atomic>
#include <cstdlib>
#include <thread>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace BatchMemory {

namespace {

// Room for the large arrays of a million passwords of up to 16 characters:
// 16 pages of text, 6 of rows (3 more while they grow) and 8 of the
// duplicate table. What a batch needs beyond it is mapped as before.
constexpr int kKeptPages = 32;
static_assert(kKeptPages <= PagePool::kMaxPages);

std::atomic<bool> g_warm{false};
std::atomic<PagePool *> g_pool{nullptr};

#if defined(__GLIBC__)
void touchPages(std::byte *begin, std::size_t bytes)
{
    const auto page = std::size_t(::sysconf(_SC_PAGESIZE));
    for (std::size_t at = 0; at < bytes; at += page)
        *reinterpret_cast<volatile char *>(begin + at) = 0;
}

// The pool's pages, mapped and touched once.
PagePool *mapKeptPages()
{
    constexpr std::size_t kBytes = kKeptPages * PagePool::kPageBytes;
    auto *base = static_cast<std::byte *>(HugePageAllocator<std::byte>::mapHugePages(kBytes));
    if (!base)
        return nullptr;
    touchPages(base, kBytes);
    return new PagePool(base, kKeptPages); // kept for the life of the process
}
#endif

} // namespace

std::byte *PagePool::take(std::size_t bytes)
{
    const std::size_t pages = bytes / kPageBytes;
    if (pages == 0 || pages > std::size_t(m_pages))
        return nullptr;
    const std::uint64_t run = pages == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << pages) - 1;
    const std::lock_guard lock(m_mutex);
    for (std::size_t first = 0; first + pages <= std::size_t(m_pages); ++first) {
        if (!(m_used & (run << first))) {
            m_used |= run << first;
            return m_base + first * kPageBytes;
        }
    }
    return nullptr;
}

bool PagePool::giveBack(std::byte *block, std::size_t bytes)
{
    if (block < m_base || block >= m_base + std::size_t(m_pages) * kPageBytes)
        return false;
    const std::size_t pages = bytes / kPageBytes;
    const std::uint64_t run = pages == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << pages) - 1;
    const std::lock_guard lock(m_mutex);
    m_used &= ~(run << std::size_t((block - m_base) / std::ptrdiff_t(kPageBytes)));
    return true;
}

void warmUp()
{
    static std::atomic<bool> called{false};
    if (called.exchange(true))
        return; // a second pool would strand the blocks of the first
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
    std::thread([block] {
        if (block) {
            const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
            const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(block) + kWarmBytes) & ~(kHugePage - 1);
            if (begin < end)
                ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
            touchPages(reinterpret_cast<std::byte *>(block), kWarmBytes);
            std::free(block); // back to the heap it came from, ready for the first batch
        }
        g_pool.store(mapKeptPages(), std::memory_order_release);
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

std::byte *takeKept(std::size_t bytes)
{
    PagePool *pool = g_pool.load(std::memory_order_acquire);
    return pool ? pool->take(bytes) : nullptr;
}

bool giveBackKept(std::byte *block, std::size_t bytes)
{
    PagePool *pool = g_pool.load(std::memory_order_acquire);
    return pool && pool->giveBack(block, bytes);
}

} // namespace BatchMemory
