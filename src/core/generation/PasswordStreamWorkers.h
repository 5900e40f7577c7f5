#pragma once

#include "core/generation/PasswordFingerprint.h"

#include "core/generation/RandomSource.h"

#include <QStringView>
#include <QtGlobal>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

class PasswordMaker;
class SeenPasswords;

// A run of consecutive attempts, made on some thread: each password as UTF-8
// ended by LF, back to back, when asked, its UTF-16 when asked, and with the
// duplicate check whether it is new. The arrays lie in the workers' one
// block of memory and are not zeroed: only what is written is read.
struct PasswordChunk
{
    qint64 firstAttempt = 0;
    int attempts = 0;
    qsizetype stride16 = 0;
    std::span<char> lines;
    std::span<quint32> lineEnds; // where each password's line ends in lines
    std::span<char16_t> text16;  // with keepText16: stride16 units a password
    std::span<qsizetype> lengths16;
    std::span<quint64> hashes16; // with keepHashes16: textHash16 of each password
    // The duplicate check: fingerprints in ascending order of the top bits
    // of their high half, which attempt each is, where each shard's run
    // ends, and the verdicts in attempt order.
    std::span<Fingerprint> fingerprints;
    std::span<quint32> attemptOf;
    std::span<int> shardEnds;
    std::span<quint8> isNew;

    qsizetype lineStart(int i) const { return i == 0 ? 0 : qsizetype(lineEnds[size_t(i - 1)]); }
    // Attempt i's UTF-8 and its LF.
    std::span<const char> line(int i) const
    {
        return {lines.data() + lineStart(i), size_t(lineEnds[size_t(i)] - lineStart(i))};
    }
    QStringView text(int i) const { return {text16.data() + stride16 * i, lengths16[size_t(i)]}; }
    quint64 hash16(int i) const { return hashes16[size_t(i)]; }
    bool isEmpty(int i) const
    {
        return lengths16.empty() ? lineEnds[size_t(i)] - lineStart(i) == 1 : lengths16[size_t(i)] == 0;
    }
    // Empty, or its fingerprint was seen before: the stream drops it.
    bool dropped(int i) const { return isEmpty(i) || (!isNew.empty() && !isNew[size_t(i)]); }
};

struct ChunkRecipe
{
    qint64 attempts = 0; // in the whole stream, unless it is open
    bool open = false;   // more chunks may be asked for with extend()
    int attemptsPerChunk = 1;
    qsizetype stride16 = 1; // the most UTF-16 units one password takes
    bool keepLines = true;
    bool keepText16 = false;
    bool keepHashes16 = false;                 // with keepText16
    FingerprintFunction fingerprint = nullptr; // none: no duplicate check
};

// Makes a stream's chunks and, with a duplicate check, checks them, on
// worker threads and on the thread that takes the chunks, and hands them
// out in the order of their attempts. Each thread has its own random source;
// every password is made by the PasswordMaker from fresh uniform draws, and
// the counter of each attempt is fixed by its number, so the stream is the
// one a single thread would make. Each thread checks one shard of the table,
// chunk after chunk in order, so a password is new exactly when no earlier
// attempt had its fingerprint.
class PasswordStreamWorkers
{
public:
    // seen: the table, with one shard for each thread (workers + 1), or
    // nullptr without a duplicate check. fixedKey: the taker's random source
    // (tests, with no workers).
    PasswordStreamWorkers(const PasswordMaker &maker, const ChunkRecipe &recipe, int workers, SeenPasswords *seen,
                          const std::optional<RandomSource::Key> &fixedKey = std::nullopt);
    // Stops the workers after what they are doing.
    ~PasswordStreamWorkers();
    PasswordStreamWorkers(const PasswordStreamWorkers &) = delete;
    PasswordStreamWorkers &operator=(const PasswordStreamWorkers &) = delete;

    // The next chunk in order, made and checked, or nullptr after the last.
    // It stays the caller's until it is given back with release().
    PasswordChunk *next();
    void release(const PasswordChunk *chunk);
    // With an open recipe: that many more chunks of attempts after the last.
    void extend(qint64 chunks);

    // Workers worth starting on this machine for a stream of that many chunks: 0, 1 or 3.
    static int workersFor(qint64 chunks);
    // Chunks in flight at once with that many workers.
    static int slotsFor(int workers) { return workers + 3; }

private:
    struct Slot
    {
        enum State { Free, Filling, Filled, Taken } state = Free;
        int shardsChecked = 0;
        PasswordChunk chunk;
    };
    // What a thread keeps for making chunks.
    struct Maker
    {
        Maker() = default;
        explicit Maker(const RandomSource::Key &key) : random(key) {}
        RandomSource random;
        std::span<Fingerprint> fingerprints; // in attempt order, before sorting
    };
    // Where each chunk's and maker's arrays lie in m_block: measured with
    // a null block, then laid out in the real one.
    class BlockLayout;
    void layOut(BlockLayout &layout);

    Slot &slotOf(qint64 chunk) { return m_slots[size_t(chunk % qint64(m_slots.size()))]; }
    // One step of a thread's share, called with the lock held: checks its
    // shard of the next chunk, or makes a chunk. False when there is none to do.
    bool workLocked(std::unique_lock<std::mutex> &lock, const std::vector<int> &shards, Maker &maker);
    void fill(PasswordChunk &chunk, Maker &maker) const;
    void sortByFingerprint(PasswordChunk &chunk, Maker &maker) const;
    void check(PasswordChunk &chunk, int shard) const;
    void work(int shard, Maker *maker);

    const PasswordMaker &m_maker;
    const ChunkRecipe m_recipe;
    SeenPasswords *const m_seen;
    const int m_shards;
    const FingerprintKey m_key;
    const qint64 m_countersPerPassword;
    qint64 m_chunkCount;
    std::vector<Slot> m_slots; // chunk k lies in slot k % size
    // Every array of the chunks and makers in one block, as huge pages when
    // it is large: a few page faults instead of hundreds when the stream
    // starts, and one unmapping when it ends instead of one for each array,
    // each of which costs the other core a TLB flush.
    std::byte *m_block = nullptr;
    size_t m_blockBytes = 0;
    qint64 m_nextToFill = 0;
    qint64 m_nextToTake = 0;
    std::vector<qint64> m_nextToCheck; // for each shard
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<Maker>> m_makers; // the taker's first
    std::vector<int> m_takerShards;               // its own, and any whose worker did not start
    std::vector<std::thread> m_threads;
};
