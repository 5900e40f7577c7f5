#pragma once

#include "PasswordFingerprint.h"

#include "generation/RandomSource.h"

#include <QtGlobal>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class PasswordBuilder;

// A run of consecutive attempts, made on some thread: each password as UTF-8
// ended by LF, back to back, and, as asked, its fingerprint and its UTF-16.
struct PasswordChunk
{
    qint64 firstAttempt = 0;
    int attempts = 0;
    std::vector<char> lines;
    std::vector<qsizetype> lineEnds;       // where each password's line ends in lines
    std::vector<Fingerprint> fingerprints; // with a fingerprint function only
    std::vector<char16_t> text16;          // with keepText16: stride16 units a password
    std::vector<qsizetype> lengths16;      // 0 for an empty password
};

struct ChunkRecipe
{
    qint64 attempts = 0; // in the whole stream
    int attemptsPerChunk = 1;
    qsizetype stride16 = 1; // the most UTF-16 units one password takes
    bool keepText16 = false;
    FingerprintFunction fingerprint = nullptr; // none: no duplicate check
};

// Makes a stream's chunks on worker threads, each with its own random
// source, and hands them out in the order of their attempts. The thread that
// takes them makes chunks too while it would otherwise wait. Every password
// is made by PasswordBuilder from a fresh uniform draw, whichever thread
// makes it, and the counter of each attempt is fixed by its number, so the
// stream is the one a single thread would make.
class PasswordStreamWorkers
{
public:
    // threads: how many workers besides the taking thread (0: none).
    PasswordStreamWorkers(const PasswordBuilder &builder, const ChunkRecipe &recipe, int threads);
    // Stops the workers after the chunks they are making.
    ~PasswordStreamWorkers();
    PasswordStreamWorkers(const PasswordStreamWorkers &) = delete;
    PasswordStreamWorkers &operator=(const PasswordStreamWorkers &) = delete;

    // The next chunk in order, or nullptr after the last. It is the caller's
    // to change until it is given back with release().
    PasswordChunk *next();
    void release(PasswordChunk *chunk);

    // Workers worth starting on this machine for a stream of that many chunks.
    static int threadsFor(qint64 chunks);
    // Chunks in flight at once with that many workers.
    static int slotsFor(int threads) { return 2 * (threads + 1) + 2; }

private:
    struct Slot
    {
        enum State { Free, Filling, Ready, Taken } state = Free;
        PasswordChunk chunk;
    };

    Slot *claimLocked();
    void fill(PasswordChunk &chunk, RandomSource &random) const;
    void work();

    const PasswordBuilder &m_builder;
    const ChunkRecipe m_recipe;
    const FingerprintKey m_key;
    const qint64 m_countersPerPassword;
    const qint64 m_chunkCount;
    std::vector<Slot> m_slots; // chunk k lies in slot k % size
    qint64 m_nextToFill = 0;
    qint64 m_nextToTake = 0;
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::unique_ptr<RandomSource> m_takerRandom;
    std::vector<std::thread> m_threads;
};
