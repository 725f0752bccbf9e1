#pragma once

#include "core/common/Clock.h"

namespace zurval {

// Advances instantly; tests read how long the code would have waited.
class FakeClock : public Clock {
public:
    void sleepMs(int ms) override { now_ += ms; }
    [[nodiscard]] std::int64_t nowMs() const override { return now_; }
    void advance(std::int64_t ms) { now_ += ms; }
    [[nodiscard]] QDate today() const override { return today_; }
    void setToday(const QDate& day) { today_ = day; }

private:
    std::int64_t now_ = 0;
    QDate today_{2026, 6, 1};
};

// Ticks only when a test fires it, and only while started.
class ManualTicker : public Ticker {
public:
    void start(int intervalMs) override {
        active_ = true;
        intervalMs_ = intervalMs;
    }
    void stop() override { active_ = false; }
    [[nodiscard]] bool isActive() const override { return active_; }
    [[nodiscard]] int intervalMs() const { return intervalMs_; }
    // One tick, as if the interval had passed; false when the ticker is stopped.
    bool fire() {
        if (!active_)
            return false;
        tick();
        return true;
    }

private:
    bool active_ = false;
    int intervalMs_ = 0;
};

} // namespace zurval
