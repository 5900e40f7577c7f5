#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>

// Makes the first large batch of a process as quick as later ones.
//
// A batch of a million passwords in the window uses about 60 MB of large
// arrays (the list's pages and rows, the duplicate table; see
// HugePageAllocator) and leaves about 10 MB of ordinary heap memory in use,
// mostly the list view's layout of its rows. Memory the process has not
// touched before costs a page fault per page, and on a virtual machine that
// hands freed memory back to its host, also about 1 ms per MB for the host to
// supply it again: that was about half the time of a first batch, and of any
// batch a few seconds after the one before. So the window's batches draw
// their large arrays from pages the process touches once and keeps.
namespace BatchMemory {

// Whole huge pages of one mapping, handed out first fit and taken back.
class PagePool
{
public:
    static constexpr std::size_t kPageBytes = std::size_t(2) << 20;
    static constexpr int kMaxPages = 64;

    // pages (at most kMaxPages) of kPageBytes from base, which the pool
    // hands out but never unmaps.
    PagePool(std::byte *base, int pages) : m_base(base), m_pages(pages) {}

    // A free run of bytes (a multiple of kPageBytes), or nullptr.
    std::byte *take(std::size_t bytes);
    // Takes a run back and returns true if it is one of the pool's.
    bool giveBack(std::byte *block, std::size_t bytes);

private:
    std::mutex m_mutex;
    std::byte *const m_base;
    const int m_pages;
    std::uint64_t m_used = 0; // a bit a page
};

// Has the C library keep blocks of up to 32 MiB on its heap and grows the
// heap now by 24 MiB, then, on a thread of its own so that the call returns
// at once, maps and touches the pool of kept pages, as transparent huge
// pages where the kernel offers them (a few dozen page faults). The program
// calls it once, after its window shows; a process that never calls it
// (tessaro-cli) maps and unmaps every large array as before. Heap and pool:
// Linux with glibc only.
void warmUp();

// True once the memory warmUp prepares is ready.
bool isWarm();

// For HugePageAllocator: bytes (whole huge pages) of the kept pool once it is
// ready, or nullptr when it is not or has no such run free.
std::byte *takeKept(std::size_t bytes);
// Returns a block to the kept pool; false if it did not come from there.
bool giveBackKept(std::byte *block, std::size_t bytes);

} // namespace BatchMemory
