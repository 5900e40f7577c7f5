#include "core/common/RecentMappings.h"

#include <mutex>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace RecentMappings {
namespace {

struct Mapping
{
    void *start;
    std::size_t bytes;
};

// Lives as long as the process, so that arrays freed while statics are
// destroyed still find it.
struct Kept
{
    std::mutex mutex;
    std::vector<Mapping> mappings;
    std::size_t bytes = 0;
    bool keeping = false;
};

Kept &kept()
{
    static Kept *const instance = new Kept;
    return *instance;
}

} // namespace

void keepFreedMappings()
{
    const std::lock_guard lock(kept().mutex);
    kept().keeping = true;
}

void *take(std::size_t bytes) noexcept
{
    Kept &k = kept();
    const std::lock_guard lock(k.mutex);
    for (auto it = k.mappings.begin(); it != k.mappings.end(); ++it) {
        if (it->bytes == bytes) {
            void *start = it->start;
            k.bytes -= bytes;
            k.mappings.erase(it);
            return start;
        }
    }
    return nullptr;
}

bool giveBack(void *mapping, std::size_t bytes) noexcept
{
    Kept &k = kept();
    const std::lock_guard lock(k.mutex);
    if (!k.keeping || k.bytes + bytes > kMostBytes)
        return false;
    try {
        k.mappings.push_back({mapping, bytes});
    } catch (...) {
        return false;
    }
    k.bytes += bytes;
    return true;
}

void releaseAll() noexcept
{
    std::vector<Mapping> mappings;
    {
        Kept &k = kept();
        const std::lock_guard lock(k.mutex);
        mappings.swap(k.mappings);
        k.bytes = 0;
    }
#if defined(__linux__)
    for (const Mapping &mapping : mappings)
        ::munmap(mapping.start, mapping.bytes);
#endif
}

std::size_t keptBytes() noexcept
{
    Kept &k = kept();
    const std::lock_guard lock(k.mutex);
    return k.bytes;
}

} // namespace RecentMappings
