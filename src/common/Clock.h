#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class QTimer;

namespace zurval {

// Every pause of the program goes through one clock, so device protocols can be
// tested without waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int ms) = 0;
    [[nodiscard]] virtual std::int64_t nowMs() const = 0;
};

class SystemClock : public Clock {
public:
    void sleepMs(int ms) override;
    [[nodiscard]] std::int64_t nowMs() const override;
};

// Advances instantly; tests read how long the code would have waited.
class FakeClock : public Clock {
public:
    void sleepMs(int ms) override { now_ += ms; }
    [[nodiscard]] std::int64_t nowMs() const override { return now_; }
    void advance(std::int64_t ms) { now_ += ms; }

private:
    std::int64_t now_ = 0;
};

// A repeating timer on the user-interface thread (Timer_KZ of the playback). Tests fire a
// manual one instead of waiting.
class Ticker {
public:
    virtual ~Ticker() = default;
    // (Re)starts counting from now: the first tick comes intervalMs later.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    [[nodiscard]] virtual bool isActive() const = 0;
    void onTick(std::function<void()> callback) { callback_ = std::move(callback); }

protected:
    void tick() {
        if (callback_)
            callback_();
    }

private:
    std::function<void()> callback_;
};

class QtTicker : public Ticker {
public:
    QtTicker();
    ~QtTicker() override;
    void start(int intervalMs) override;
    void stop() override;
    [[nodiscard]] bool isActive() const override;

private:
    std::unique_ptr<QTimer> timer_;
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
