#pragma once

#include <cstddef>

// Large mappings freed by one batch, kept for the next one. Memory a process
// has not touched costs a page fault per page and, on a virtual machine, the
// host's time to supply it again: about half of a batch of a million in the
// window, for every batch. A process that asks for it (the window) keeps what
// HugePageAllocator frees, up to kMostBytes, and unmaps it with releaseAll()
// a few seconds after its last batch; nothing is held at rest. Other
// processes (tessaro-cli) never keep.
namespace RecentMappings {

inline constexpr std::size_t kMostBytes = std::size_t(160) << 20;

// From now on, freed mappings are kept until releaseAll().
void keepFreedMappings();
// A kept mapping of exactly bytes (whole huge pages), its contents as the
// last user left them, or nullptr.
void *take(std::size_t bytes) noexcept;
// Keeps a mapping of bytes (whole huge pages); false when it is not kept
// and the caller unmaps it.
bool giveBack(void *mapping, std::size_t bytes) noexcept;
// Unmaps every kept mapping now.
void releaseAll() noexcept;
// What is kept now.
std::size_t keptBytes() noexcept;

} // namespace RecentMappings
