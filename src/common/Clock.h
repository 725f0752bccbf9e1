#pragma once

#include <cstdint>

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

} // namespace zurval
