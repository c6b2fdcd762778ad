// The image library's headers come before Qt's, whose "signals" keyword clashes with glib.
#include <vips/vips.h>

#include "ui/JobRunner.h"

#include <QCoreApplication>
#include <QThread>

namespace quillane {

void TJobWorker::Run()
{
    work_();
    // The image library keeps per-thread buffers for threads it did not create.
    vips_thread_shutdown();
    emit Done();
}

TJobRunner::TJobRunner(QObject* parent) : QObject(parent) {}

TJobRunner::~TJobRunner()
{
    WaitUntilFinished();
}

bool TJobRunner::Start(std::function<void()> work)
{
    if (Running())
        return false;
    thread_ = new QThread;
    auto* worker = new TJobWorker(std::move(work));
    worker->moveToThread(thread_);
    connect(thread_, &QThread::started, worker, &TJobWorker::Run);
    connect(worker, &TJobWorker::Done, thread_, &QThread::quit);
    connect(thread_, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread_, &QThread::finished, this, &TJobRunner::ThreadEnded);
    thread_->start();
    return true;
}

void TJobRunner::ThreadEnded()
{
    QThread* thread = thread_;
    thread_ = nullptr;
    thread->wait();  // already finished: returns at once
    delete thread;
    emit Finished();
}

void TJobRunner::WaitUntilFinished()
{
    while (Running())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace quillane
