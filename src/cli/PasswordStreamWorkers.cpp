#include "PasswordStreamWorkers.h"

#include "PasswordStream.h"

#include "generation/PasswordBuilder.h"

#include <algorithm>
#include <system_error>

PasswordStreamWorkers::PasswordStreamWorkers(const PasswordBuilder &builder, const ChunkRecipe &recipe, int threads)
    : m_builder(builder), m_recipe(recipe), m_key(recipe.fingerprint ? newFingerprintKey() : FingerprintKey()),
      m_countersPerPassword(
          std::count_if(builder.steps().begin(), builder.steps().end(),
                        [](const auto &step) { return step.kind == PasswordBuilder::Step::Counter; })),
      m_chunkCount((recipe.attempts + recipe.attemptsPerChunk - 1) / recipe.attemptsPerChunk),
      m_slots(size_t(slotsFor(threads))), m_takerRandom(std::make_unique<RandomSource>())
{
    const auto perChunk = size_t(recipe.attemptsPerChunk);
    for (Slot &slot : m_slots) {
        PasswordChunk &chunk = slot.chunk;
        chunk.lines.resize(perChunk * size_t(recipe.stride16 * 3 + 1));
        chunk.lineEnds.resize(perChunk);
        if (recipe.fingerprint)
            chunk.fingerprints.resize(perChunk);
        // Without keepText16 one password's room serves as scratch.
        chunk.text16.resize((recipe.keepText16 ? perChunk : 1) * size_t(recipe.stride16));
        if (recipe.keepText16)
            chunk.lengths16.resize(perChunk);
    }
    try {
        for (int i = 0; i < threads; ++i)
            m_threads.emplace_back(&PasswordStreamWorkers::work, this);
    } catch (const std::system_error &) {
        // No more threads to be had: the ones started, and the taker, do it all.
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
}

int PasswordStreamWorkers::threadsFor(qint64 chunks)
{
    // Beyond a few workers the taker, which alone checks and writes, is the
    // bottleneck.
    const int cores = int(std::thread::hardware_concurrency());
    return int(qBound(qint64(0), qMin(qint64(cores) - 1, chunks - 1), qint64(3)));
}

PasswordStreamWorkers::Slot *PasswordStreamWorkers::claimLocked()
{
    if (m_stopping || m_nextToFill >= m_chunkCount)
        return nullptr;
    Slot &slot = m_slots[size_t(m_nextToFill % qint64(m_slots.size()))];
    if (slot.state != Slot::Free)
        return nullptr;
    slot.state = Slot::Filling;
    slot.chunk.firstAttempt = m_nextToFill * m_recipe.attemptsPerChunk;
    slot.chunk.attempts = int(qMin<qint64>(m_recipe.attemptsPerChunk, m_recipe.attempts - slot.chunk.firstAttempt));
    ++m_nextToFill;
    return &slot;
}

void PasswordStreamWorkers::fill(PasswordChunk &chunk, RandomSource &random) const
{
    qint64 counter = chunk.firstAttempt * m_countersPerPassword;
    char *const lines = chunk.lines.data();
    char *at = lines;
    for (int i = 0; i < chunk.attempts; ++i) {
        char16_t *text16 = chunk.text16.data() + (m_recipe.keepText16 ? m_recipe.stride16 * i : 0);
        const qsizetype length16 = m_builder.build(text16, random, counter);
        const qsizetype length8 = toUtf8(text16, length16, at);
        if (m_recipe.fingerprint)
            chunk.fingerprints[size_t(i)] = m_recipe.fingerprint(at, size_t(length8), m_key);
        if (m_recipe.keepText16)
            chunk.lengths16[size_t(i)] = length16;
        at += length8;
        *at++ = '\n';
        chunk.lineEnds[size_t(i)] = at - lines;
    }
}

void PasswordStreamWorkers::work()
{
    RandomSource random; // a key of its own
    std::unique_lock lock(m_mutex);
    while (!m_stopping && m_nextToFill < m_chunkCount) {
        Slot *slot = claimLocked();
        if (!slot) {
            m_changed.wait(lock);
            continue;
        }
        lock.unlock();
        fill(slot->chunk, random);
        lock.lock();
        slot->state = Slot::Ready;
        m_changed.notify_all();
    }
}

PasswordChunk *PasswordStreamWorkers::next()
{
    std::unique_lock lock(m_mutex);
    if (m_nextToTake >= m_chunkCount)
        return nullptr;
    Slot &wanted = m_slots[size_t(m_nextToTake % qint64(m_slots.size()))];
    // The slot's previous chunk was given back before this one is asked
    // for, so a ready slot holds this one.
    while (wanted.state != Slot::Ready) {
        if (Slot *slot = claimLocked()) {
            lock.unlock();
            fill(slot->chunk, *m_takerRandom);
            lock.lock();
            slot->state = Slot::Ready;
            m_changed.notify_all();
        } else {
            m_changed.wait(lock);
        }
    }
    wanted.state = Slot::Taken;
    ++m_nextToTake;
    return &wanted.chunk;
}

void PasswordStreamWorkers::release(PasswordChunk *chunk)
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
