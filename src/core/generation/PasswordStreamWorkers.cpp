#include "core/generation/PasswordStreamWorkers.h"

#include "core/common/HugePageAllocator.h"
#include "core/common/TextEncoding.h"
#include "core/generation/PasswordMaker.h"
#include "core/generation/SeenPasswords.h"
#include "core/generation/TextHash.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace {

// How far ahead of the check a fingerprint's bucket is fetched.
constexpr int kPrefetchAhead = 16;
// Fingerprints are sorted by the top 12 bits of their high half.
constexpr int kDigitBits = 12;
constexpr quint32 kDigits = 1u << kDigitBits;

quint32 digitOf(const Fingerprint &fingerprint)
{
    return quint32(fingerprint.high >> (64 - kDigitBits));
}

// Below this the chunks' block comes from the heap; from it, as huge pages.
constexpr size_t kSmallBlock = size_t(256) << 10;
using HugePages = HugePageAllocator<std::byte>;

} // namespace

class PasswordStreamWorkers::BlockLayout
{
public:
    explicit BlockLayout(std::byte *block) : m_block(block) {}
    // The next count elements of T, on a cache line of their own.
    template <typename T> std::span<T> take(size_t count)
    {
        m_used = (m_used + kCacheLine - 1) / kCacheLine * kCacheLine;
        T *const first = m_block ? reinterpret_cast<T *>(m_block + m_used) : nullptr;
        m_used += count * sizeof(T);
        return {first, m_block ? count : 0};
    }
    size_t bytes() const { return qMax<size_t>(m_used, 1); }

private:
    static constexpr size_t kCacheLine = 64;
    std::byte *const m_block;
    size_t m_used = 0;
};

PasswordStreamWorkers::PasswordStreamWorkers(const PasswordMaker &maker, const ChunkRecipe &recipe, int workers,
                                             SeenPasswords *seen, const std::optional<RandomSource::Key> &fixedKey)
    : m_maker(maker), m_recipe(recipe), m_seen(recipe.fingerprint ? seen : nullptr), m_shards(m_seen ? workers + 1 : 0),
      m_key(m_seen ? newFingerprintKey() : FingerprintKey()), m_countersPerPassword(maker.countersPerPassword()),
      m_chunkCount((recipe.attempts + recipe.attemptsPerChunk - 1) / recipe.attemptsPerChunk),
      m_slots(size_t(slotsFor(workers))), m_nextToCheck(size_t(m_shards), 0)
{
    for (int i = 0; i <= workers; ++i)
        m_makers.push_back(fixedKey && i == 0 ? std::make_unique<Maker>(*fixedKey) : std::make_unique<Maker>());
    BlockLayout measure(nullptr);
    layOut(measure);
    // A block worth a page fault of its own is rounded up to whole huge pages.
    m_blockBytes = measure.bytes() < kSmallBlock ? measure.bytes() : qMax(measure.bytes(), HugePages::kHugePage);
    m_block = HugePages().allocate(m_blockBytes);
    BlockLayout place(m_block);
    layOut(place);
    m_takerShards.push_back(0);
    for (int i = 1; i <= workers; ++i) {
        try {
            m_threads.emplace_back(&PasswordStreamWorkers::work, this, i, m_makers[size_t(i)].get());
        } catch (const std::system_error &) {
            m_takerShards.push_back(i); // no thread to be had: the taker checks that shard too
        }
    }
}

PasswordStreamWorkers::~PasswordStreamWorkers()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
    HugePages().deallocate(m_block, m_blockBytes);
}

void PasswordStreamWorkers::layOut(BlockLayout &layout)
{
    const auto perChunk = size_t(m_recipe.attemptsPerChunk);
    for (Slot &slot : m_slots) {
        PasswordChunk &chunk = slot.chunk;
        chunk.stride16 = m_recipe.keepText16 ? m_recipe.stride16 : 0;
        if (m_recipe.keepLines) {
            chunk.lines = layout.take<char>(perChunk * size_t(m_recipe.stride16 * 3 + 1));
            chunk.lineEnds = layout.take<quint32>(perChunk);
        }
        // Without keepText16 one password's room serves as scratch.
        chunk.text16 = layout.take<char16_t>((m_recipe.keepText16 ? perChunk : 1) * size_t(m_recipe.stride16));
        chunk.lengths16 = layout.take<qsizetype>(m_recipe.keepText16 ? perChunk : 0);
        chunk.hashes16 = layout.take<quint64>(m_recipe.keepHashes16 ? perChunk : 0);
        if (m_seen) {
            chunk.fingerprints = layout.take<Fingerprint>(perChunk);
            chunk.attemptOf = layout.take<quint32>(perChunk);
            chunk.shardEnds = layout.take<int>(size_t(m_shards));
            chunk.isNew = layout.take<quint8>(perChunk);
        }
    }
    for (const std::unique_ptr<Maker> &maker : m_makers) {
        if (m_seen) {
            maker->fingerprints = layout.take<Fingerprint>(perChunk);
        }
    }
}

int PasswordStreamWorkers::workersFor(qint64 chunks)
{
    // A power of two of threads in all (the table's shards), and at most
    // four: the taking thread alone writes.
    const int cores = int(std::thread::hardware_concurrency());
    if (chunks < 2 || cores < 2)
        return 0;
    return cores < 4 ? 1 : 3;
}

bool PasswordStreamWorkers::workLocked(std::unique_lock<std::mutex> &lock, const std::vector<int> &shards, Maker &maker)
{
    if (m_stopping)
        return false;
    // Checking comes first: the chunks wait for it in order.
    for (size_t i = 0; m_seen && i < shards.size(); ++i) {
        const int shard = shards[i];
        const qint64 next = m_nextToCheck[size_t(shard)];
        Slot &slot = slotOf(next);
        if (next >= m_nextToFill || slot.state != Slot::Filled ||
            slot.chunk.firstAttempt != next * m_recipe.attemptsPerChunk)
            continue;
        ++m_nextToCheck[size_t(shard)];
        lock.unlock();
        check(slot.chunk, shard);
        lock.lock();
        ++slot.shardsChecked;
        m_changed.notify_all();
        return true;
    }
    if (m_nextToFill >= m_chunkCount || slotOf(m_nextToFill).state != Slot::Free)
        return false;
    Slot &slot = slotOf(m_nextToFill);
    slot.state = Slot::Filling;
    slot.shardsChecked = 0;
    slot.chunk.firstAttempt = m_nextToFill * m_recipe.attemptsPerChunk;
    slot.chunk.attempts =
        m_recipe.open ? m_recipe.attemptsPerChunk
                      : int(qMin<qint64>(m_recipe.attemptsPerChunk, m_recipe.attempts - slot.chunk.firstAttempt));
    ++m_nextToFill;
    lock.unlock();
    fill(slot.chunk, maker);
    lock.lock();
    slot.state = Slot::Filled;
    m_changed.notify_all();
    return true;
}

void PasswordStreamWorkers::fill(PasswordChunk &chunk, Maker &maker) const
{
    qint64 counter = chunk.firstAttempt * m_countersPerPassword;
    char *const lines = chunk.lines.data();
    char *at = lines;
    for (int i = 0; i < chunk.attempts; ++i) {
        char16_t *text16 = chunk.text16.data() + (m_recipe.keepText16 ? m_recipe.stride16 * i : 0);
        const qsizetype length16 = m_maker.build(text16, maker.random, counter);
        if (m_recipe.keepText16)
            chunk.lengths16[size_t(i)] = length16;
        if (m_recipe.keepHashes16)
            chunk.hashes16[size_t(i)] = textHash16({text16, length16});
        if (!m_recipe.keepLines)
            continue;
        const qsizetype length8 = TextEncoding::toUtf8(text16, length16, at);
        if (m_seen)
            maker.fingerprints[size_t(i)] = m_recipe.fingerprint(at, size_t(length8), m_key);
        at += length8;
        *at++ = '\n';
        chunk.lineEnds[size_t(i)] = quint32(at - lines);
    }
    if (m_seen)
        sortByFingerprint(chunk, maker);
}

void PasswordStreamWorkers::sortByFingerprint(PasswordChunk &chunk, Maker &maker) const
{
    // One stable counting pass by the top bits of the high half: the check
    // then walks each shard of the table upwards, a 4096th of the table at a
    // time, and equal fingerprints keep their attempt order.
    const auto n = size_t(chunk.attempts);
    std::array<quint32, kDigits + 1> start{};
    for (size_t i = 0; i < n; ++i)
        ++start[digitOf(maker.fingerprints[i]) + 1];
    for (quint32 d = 0; d < kDigits; ++d)
        start[d + 1] += start[d];
    // Where each shard's run ends: the shard is the top bits of the digit.
    for (int shard = 0; shard < m_shards; ++shard)
        chunk.shardEnds[size_t(shard)] = int(start[(quint32(shard) + 1) * kDigits / quint32(m_shards)]);
    for (size_t i = 0; i < n; ++i) {
        const quint32 at = start[digitOf(maker.fingerprints[i])]++;
        chunk.attemptOf[at] = quint32(i);
        chunk.fingerprints[at] = maker.fingerprints[i];
    }
}

void PasswordStreamWorkers::check(PasswordChunk &chunk, int shard) const
{
    const int begin = shard == 0 ? 0 : chunk.shardEnds[size_t(shard - 1)];
    const int end = chunk.shardEnds[size_t(shard)];
    for (int k = begin; k < qMin(begin + kPrefetchAhead, end); ++k)
        m_seen->prefetch(chunk.fingerprints[size_t(k)]);
    for (int k = begin; k < end; ++k) {
        if (k + kPrefetchAhead < end)
            m_seen->prefetch(chunk.fingerprints[size_t(k + kPrefetchAhead)]);
        chunk.isNew[chunk.attemptOf[size_t(k)]] = m_seen->insert(chunk.fingerprints[size_t(k)]);
    }
}

void PasswordStreamWorkers::work(int shard, Maker *maker)
{
    const std::vector<int> shards{shard};
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (workLocked(lock, shards, *maker))
            continue;
        const bool checkedAll = !m_seen || m_nextToCheck[size_t(shard)] >= m_chunkCount;
        if (m_nextToFill >= m_chunkCount && checkedAll && !m_recipe.open)
            return;
        m_changed.wait(lock);
    }
}

PasswordChunk *PasswordStreamWorkers::next()
{
    std::unique_lock lock(m_mutex);
    if (m_nextToTake >= m_chunkCount)
        return nullptr;
    Slot &wanted = slotOf(m_nextToTake);
    const qint64 firstAttempt = m_nextToTake * m_recipe.attemptsPerChunk;
    while (wanted.state != Slot::Filled || wanted.chunk.firstAttempt != firstAttempt ||
           wanted.shardsChecked < m_shards) {
        if (!workLocked(lock, m_takerShards, *m_makers.front()))
            m_changed.wait(lock);
    }
    wanted.state = Slot::Taken;
    ++m_nextToTake;
    return &wanted.chunk;
}

void PasswordStreamWorkers::extend(qint64 chunks)
{
    {
        const std::lock_guard lock(m_mutex);
        m_chunkCount += chunks;
    }
    m_changed.notify_all();
}

void PasswordStreamWorkers::release(const PasswordChunk *chunk)
{
    {
        const std::lock_guard lock(m_mutex);
        for (Slot &slot : m_slots) {
            if (&slot.chunk == chunk)
                slot.state = Slot::Free;
        }
    }
    m_changed.notify_all();
}
