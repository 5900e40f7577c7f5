#include "core/common/RecentMappings.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace RecentMappings {
namespace {

using Clock = std::chrono::steady_clock;

struct Mapping
{
    void *start;
    std::size_t bytes;
};

// The kept mappings and the thread that unmaps them once they have waited
// long enough; the thread ends when nothing is kept. It lives as long as the
// process, so that arrays freed while statics are destroyed still find it.
class Keeper
{
public:
    void keepFor(std::chrono::milliseconds time)
    {
        const std::lock_guard lock(m_mutex);
        m_keepFor = time;
    }

    void *take(std::size_t bytes)
    {
        const std::lock_guard lock(m_mutex);
        for (auto it = m_kept.begin(); it != m_kept.end(); ++it) {
            if (it->bytes == bytes) {
                void *start = it->start;
                m_keptBytes -= bytes;
                m_kept.erase(it);
                m_lastUse = Clock::now();
                return start;
            }
        }
        return nullptr;
    }

    bool giveBack(void *start, std::size_t bytes)
    {
        std::unique_lock lock(m_mutex);
        if (m_keepFor.count() <= 0 || m_keptBytes + bytes > kMostBytes)
            return false;
        try {
            m_kept.push_back({start, bytes});
            if (!m_reaperRunning) {
                if (m_reaper.joinable()) {
                    // It has ended, or is about to, outside the lock.
                    std::thread ended = std::move(m_reaper);
                    lock.unlock();
                    ended.join();
                    lock.lock();
                }
                if (!m_reaperRunning) {
                    m_reaper = std::thread([this] { reap(); });
                    m_reaperRunning = true;
                }
            }
        } catch (...) {
            if (!m_kept.empty() && m_kept.back().start == start)
                m_kept.pop_back();
            return false;
        }
        m_keptBytes += bytes;
        m_lastUse = Clock::now();
        return true;
    }

    void releaseAll()
    {
        std::vector<Mapping> kept;
        {
            const std::lock_guard lock(m_mutex);
            kept.swap(m_kept);
            m_keptBytes = 0;
        }
        m_changed.notify_all();
        unmap(std::move(kept));
    }

    std::size_t keptBytes()
    {
        const std::lock_guard lock(m_mutex);
        return m_keptBytes;
    }

private:
    void reap()
    {
        std::unique_lock lock(m_mutex);
        while (!m_kept.empty()) {
            const Clock::time_point due = m_lastUse + m_keepFor;
            if (Clock::now() < due) {
                m_changed.wait_until(lock, due);
                continue;
            }
            std::vector<Mapping> kept;
            kept.swap(m_kept);
            m_keptBytes = 0;
            lock.unlock();
            unmap(std::move(kept));
            lock.lock();
        }
        m_reaperRunning = false;
    }

    static void unmap(std::vector<Mapping> mappings)
    {
#if defined(__linux__)
        for (const Mapping &mapping : mappings)
            ::munmap(mapping.start, mapping.bytes);
#endif
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Mapping> m_kept;
    std::size_t m_keptBytes = 0;
    std::chrono::milliseconds m_keepFor{0};
    Clock::time_point m_lastUse;
    bool m_reaperRunning = false;
    std::thread m_reaper;
};

Keeper &keeper()
{
    static Keeper *const instance = new Keeper;
    return *instance;
}

} // namespace

void keepFor(std::chrono::milliseconds time)
{
    keeper().keepFor(time);
}

void *take(std::size_t bytes) noexcept
{
    return keeper().take(bytes);
}

bool giveBack(void *mapping, std::size_t bytes) noexcept
{
    return keeper().giveBack(mapping, bytes);
}

void releaseAll() noexcept
{
    keeper().releaseAll();
}

std::size_t keptBytes() noexcept
{
    return keeper().keptBytes();
}

} // namespace RecentMappings
