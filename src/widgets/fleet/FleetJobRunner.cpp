#include "widgets/fleet/FleetJobRunner.h"

#include "core/fleet/FleetJob.h"

#include <QtConcurrent/QtConcurrentRun>

namespace zurval {
namespace {

constexpr int kProgressMilliseconds = 100;

} // namespace

FleetJobRunner::FleetJobRunner(QObject* parent) : QObject(parent) {
    thread_.setMaxThreadCount(1);
    timer_.setInterval(kProgressMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &FleetJobRunner::tellProgress);
    // The watcher tells finished once the future is finished for good, so no moment remains
    // in which the job has sent its last word but has not yet ended.
    connect(&watcher_, &QFutureWatcher<void>::finished, this, &FleetJobRunner::ended);
}

FleetJobRunner::~FleetJobRunner() {
    stop();
}

void FleetJobRunner::start(std::shared_ptr<FleetJob> job) {
    stop();
    job_ = std::move(job);
    told_ = false;
    watcher_.setFuture(QtConcurrent::run(&thread_, [job = job_] { job->run(); }));
    timer_.start();
}

void FleetJobRunner::stop() {
    if (!running())
        return;
    job_->cancel();
    watcher_.waitForFinished();
    told_ = true;
    timer_.stop();
}

void FleetJobRunner::cancel() {
    if (job_)
        job_->cancel();
}

void FleetJobRunner::wait() {
    if (!running())
        return;
    watcher_.waitForFinished();
    ended();
}

void FleetJobRunner::ended() {
    // A finished signal still queued after wait() or stop() has nothing more to tell.
    if (!running())
        return;
    told_ = true;
    timer_.stop();
    tellProgress();
    emit finished();
}

void FleetJobRunner::tellProgress() {
    if (job_)
        emit progress(job_->done(), job_->total());
}

} // namespace zurval
