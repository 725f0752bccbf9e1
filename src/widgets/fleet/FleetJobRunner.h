#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <memory>

namespace zurval {

class FleetJob;

// Runs one fleet job at a time on a thread of its own, so that the window goes on taking
// commands, and tells on the window's thread how far it is and, once, that it has ended.
class FleetJobRunner : public QObject {
    Q_OBJECT
public:
    explicit FleetJobRunner(QObject* parent = nullptr);
    // Cancels a job still running and waits for it.
    ~FleetJobRunner() override;

    // A job still running is cancelled and waited for first, without telling its end.
    void start(std::shared_ptr<FleetJob> job);
    // Cancels the job running and waits for it, without telling its end.
    void stop();
    void cancel();
    [[nodiscard]] bool running() const { return job_ && !told_; }
    // Blocks until the job has ended, then tells finished() unless it was told already.
    void wait();
    // The job last started; nullptr before.
    [[nodiscard]] FleetJob* job() const { return job_.get(); }

signals:
    // Every tenth of a second while it runs and once at its end; total is -1 until the
    // folders have been walked.
    void progress(int done, int total);
    // Once per job, after it has ended and its results can be read.
    void finished();

private:
    void ended();
    void tellProgress();

    QThreadPool thread_;
    QFutureWatcher<void> watcher_;
    QTimer timer_;
    std::shared_ptr<FleetJob> job_;
    bool told_ = true;
};

} // namespace zurval
