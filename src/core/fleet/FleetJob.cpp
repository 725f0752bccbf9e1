#include "core/fleet/FleetJob.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace zurval {
namespace {

// Results read but not yet taken: a slow taker holds the workers back instead of piling up
// documents' worth of them.
constexpr std::size_t kWaiting = 256;

} // namespace

void FleetJob::run() {
    const std::vector<FoundRecording> files = findRecordings(paths_);
    const std::size_t count = files.size();
    total_ = static_cast<int>(count);
    if (!begin(files)) {
        end();
        return;
    }
    const int threads = std::clamp(threads_ > 0 ? threads_ : QThread::idealThreadCount(), 1,
                                   std::max(static_cast<int>(count), 1));

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::size_t> ready;
    int working = threads;
    bool stopped = false; // the taker is done
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        const auto document = std::make_unique<RecorderDocument>();
        for (std::size_t i = next++; i < count && !cancelled_; i = next++) {
            read(i, files[i], *document);
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return stopped || ready.size() < kWaiting; });
            if (stopped)
                break;
            ready.push_back(i);
            changed.notify_all();
        }
        std::lock_guard lock(mutex);
        --working;
        changed.notify_all();
    };
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    for (int t = 0; t < threads; ++t)
        pool.start(work);

    std::vector<std::size_t> batch;
    while (!cancelled_) {
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return !ready.empty() || working == 0 || cancelled_; });
            if (ready.empty())
                break;
            while (!ready.empty() && batch.size() < kBatch) {
                batch.push_back(ready.front());
                ready.pop_front();
            }
            changed.notify_all();
        }
        if (!take(batch))
            break;
        done_ += static_cast<int>(batch.size());
        batch.clear();
    }
    {
        std::lock_guard lock(mutex);
        stopped = true;
        changed.notify_all();
    }
    pool.waitForDone();
    end();
}

} // namespace zurval
