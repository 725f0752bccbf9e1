#pragma once

#include "core/document/RecorderDocument.h"
#include "core/fleet/FleetFiles.h"

#include <QStringList>
#include <atomic>
#include <cstddef>
#include <vector>

namespace zurval {

// Many recordings read on every core: the files and folders given are walked, workers read
// each file into a result of its own (one document per worker, overwritten file by file), and
// the thread that runs the job takes the results as they come. run() blocks; done(), total()
// and cancel() may be called from other threads meanwhile. A file is done once its result
// has been taken.
class FleetJob {
public:
    virtual ~FleetJob() = default;
    FleetJob(const FleetJob&) = delete;
    FleetJob& operator=(const FleetJob&) = delete;

    void run();
    void cancel() { cancelled_ = true; }
    [[nodiscard]] bool cancelled() const { return cancelled_; }
    [[nodiscard]] int done() const { return done_; }
    // -1 until the folders have been walked.
    [[nodiscard]] int total() const { return total_; }

protected:
    // 0 threads: as many as the machine has cores.
    explicit FleetJob(QStringList paths, int threads = 0)
        : paths_(std::move(paths)), threads_(threads) {}

    // Once the walk is done, before any file is read; false ends the job there.
    virtual bool begin(const std::vector<FoundRecording>& files) = 0;
    // On a worker thread: the result of files[index]. It must not throw.
    virtual void read(std::size_t index, const FoundRecording& file,
                      RecorderDocument& document) = 0;
    // On the running thread: the files read since the last call, at most kBatch of them;
    // false ends the job.
    virtual bool take(const std::vector<std::size_t>& indices) = 0;
    // On the running thread, after the last take, however the job ended.
    virtual void end() = 0;

    static constexpr std::size_t kBatch = 64;

private:
    QStringList paths_;
    int threads_;
    std::atomic<bool> cancelled_{false};
    std::atomic<int> done_{0};
    std::atomic<int> total_{-1};
};

} // namespace zurval
