#include "window/generation/WindowBatch.h"

#include "window/results/ResultListView.h"

#include "core/common/RecentMappings.h"

#include <chrono>

namespace {

// A batch that takes longer than this shows its progress.
constexpr std::chrono::milliseconds kQuickBatch{200};
constexpr std::chrono::milliseconds kProgressEvery{50};
// How long a batch's large arrays are kept for the next one, which a person
// asks for within a few seconds if at all.
constexpr std::chrono::milliseconds kKeepArraysFor{3000};

} // namespace

WindowBatch::WindowBatch(ResultListView &list, QObject *parent) : QObject(parent), m_list(list)
{
    m_progress.setInterval(kProgressEvery);
    connect(&m_progress, &QTimer::timeout, this, &WindowBatch::showProgress);
    m_releaseArrays.setSingleShot(true);
    m_releaseArrays.setInterval(kKeepArraysFor);
    connect(&m_releaseArrays, &QTimer::timeout, this, [] { RecentMappings::releaseAll(); });
    RecentMappings::keepFreedMappings();
}

WindowBatch::~WindowBatch()
{
    stop();
}

void WindowBatch::start(qint32 count, const QString &mask, Done done)
{
    start(
        count,
        [count, mask](ResultList &rows, BatchControl *control) {
            return GeneratePasswords(rows, count, mask, control);
        },
        std::move(done));
}

void WindowBatch::start(qint32 count, Job job, Done done)
{
    finish();
    m_releaseArrays.stop();
    m_done = std::move(done);
    m_hasEnded = false;
    m_listEmptied = false;
    m_control.rows = 0;
    m_control.stop = false;
    m_count = count;
    m_thread = std::thread([this, job = std::move(job)] {
        m_outcome = job(m_rows, &m_control);
        {
            const std::lock_guard lock(m_mutex);
            m_hasEnded = true;
        }
        m_ended.notify_all();
        QMetaObject::invokeMethod(this, &WindowBatch::complete, Qt::QueuedConnection);
    });
    std::unique_lock lock(m_mutex);
    if (m_ended.wait_for(lock, kQuickBatch, [this] { return m_hasEnded; })) {
        lock.unlock();
        complete();
        return;
    }
    lock.unlock();
    showProgress();
    m_progress.start();
}

void WindowBatch::showProgress()
{
    if (!m_listEmptied) {
        m_list.clearItems();
        m_listEmptied = true;
        m_heading = progressHeading(0, m_count);
    }
    m_heading.done = m_control.rows.load(std::memory_order_relaxed);
    m_list.setHeading(m_heading);
    m_list.flush();
}

void WindowBatch::finish()
{
    if (!isRunning())
        return;
    {
        std::unique_lock lock(m_mutex);
        m_ended.wait(lock, [this] { return m_hasEnded; });
    }
    complete();
}

void WindowBatch::stop()
{
    if (!isRunning())
        return;
    m_control.stop = true;
    finish();
}

void WindowBatch::complete()
{
    // Also reached by the queued call of a batch already completed.
    if (!isRunning())
        return;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_hasEnded)
            return;
    }
    m_thread.join();
    m_progress.stop();
    const bool made = m_outcome.wordList.ok() && m_outcome.rules.ok() && m_outcome.memory.ok() && !m_outcome.stopped;
    if (made) {
        m_list.setHeading(m_rows.heading());
        m_list.adoptRows(m_rows.takeRows());
        m_list.showRow(0);
    } else {
        // What a batch that ended early leaves is not worth keeping.
        m_rows.clearItems();
        RecentMappings::releaseAll();
        if (m_listEmptied)
            m_list.setHeading(finishedHeading());
    }
    m_list.flush();
    m_releaseArrays.start();
    if (const Done done = std::exchange(m_done, {}))
        done(m_outcome);
}
