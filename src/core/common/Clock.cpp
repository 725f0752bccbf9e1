#include "core/common/Clock.h"

#include <QTimer>
#include <chrono>
#include <thread>

namespace zurval {

void SystemClock::sleepMs(int ms) {
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::int64_t SystemClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QtTicker::QtTicker() : timer_(std::make_unique<QTimer>()) {
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { tick(); });
}

QtTicker::~QtTicker() = default;

void QtTicker::start(int intervalMs) {
    timer_->start(intervalMs);
}

void QtTicker::stop() {
    timer_->stop();
}

bool QtTicker::isActive() const {
    return timer_->isActive();
}

} // namespace zurval
