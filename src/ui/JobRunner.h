#pragma once

#include <QObject>

#include <functional>

class QThread;

namespace quillane {

// Runs one job at a time on a worker object in its own thread, so the window keeps
// painting and answering while pictures are processed. Finished() arrives on the
// runner's (GUI) thread once the worker thread has ended.
class TJobRunner : public QObject {
    Q_OBJECT

public:
    explicit TJobRunner(QObject* parent);
    ~TJobRunner() override;

    bool Running() const { return thread_ != nullptr; }
    // Starts `work` on a fresh worker thread; refused (false) while a run is going.
    bool Start(std::function<void()> work);
    // Serves events until the running job has ended. For teardown only: while it waits
    // the job's calls to the window are still answered.
    void WaitUntilFinished();

signals:
    void Finished();

private:
    void ThreadEnded();

    QThread* thread_ = nullptr;
};

// The worker object: runs its work once, on the thread it was moved to.
class TJobWorker : public QObject {
    Q_OBJECT

public:
    explicit TJobWorker(std::function<void()> work) : work_(std::move(work)) {}

public slots:
    void Run();

signals:
    void Done();

private:
    std::function<void()> work_;
};

}  // namespace quillane
