#pragma once

#include <QDate>
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
    // The calendar day, for what a document says it was made on and counts from.
    [[nodiscard]] virtual QDate today() const { return QDate::currentDate(); }
};

class SystemClock : public Clock {
public:
    void sleepMs(int ms) override;
    [[nodiscard]] std::int64_t nowMs() const override;
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

} // namespace zurval
