#pragma once

#include "core/generation/MemoryResultList.h"
#include "core/generation/PasswordGenerator.h"
#include "core/generation/ResultListSink.h"

#include <QObject>
#include <QTimer>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class ResultListView;

// The window's batch, made on the batch engine's threads so that the window
// keeps painting. A batch done within 0.2 s is shown at once, as if it had
// run on the window's thread; a longer one empties the list and shows its
// progress in the heading ("<List02> [n/count]") every 50 ms until its rows
// appear together.
class WindowBatch final : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(const GenerationOutcome &outcome)>;
    // What a batch makes into its rows, on the batch's own thread.
    using Job = std::function<GenerationOutcome(ResultList &rows, BatchControl *control)>;

    explicit WindowBatch(ResultListView &list, QObject *parent = nullptr);
    // Stops a running batch and waits for its threads.
    ~WindowBatch() override;

    bool isRunning() const { return m_thread.joinable(); }
    // Makes the batch of GeneratePasswords into the list; done runs on the
    // window's thread once the rows are shown (or nothing was made).
    void start(qint32 count, const QString &mask, Done done);
    // The same for any other way of making count passwords into the rows.
    void start(qint32 count, Job job, Done done);
    // Waits for a running batch and shows its rows.
    void finish();
    // Ends a running batch early: what it made is dropped, and
    // lastgenerated.txt keeps what the last whole batch wrote.
    void stop();

private:
    void showProgress();
    // On the window's thread, once the batch's thread has ended.
    void complete();

    ResultListView &m_list;
    QTimer m_progress;
    // Unmaps the arrays kept for the next batch a few seconds after the last.
    QTimer m_releaseArrays;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_hasEnded = false;
    BatchControl m_control;
    MemoryResultList m_rows;
    GenerationOutcome m_outcome;
    ColumnHeading m_heading;
    qint32 m_count = 0;
    bool m_listEmptied = false;
    Done m_done;
};
