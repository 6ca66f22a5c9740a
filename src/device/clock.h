#pragma once
// Time as the device code sees it. The real clock sleeps; the manual clock only moves when told
// to, so tests and the tool's virtual mode can step over waits (the mouse's restart after a
// firmware update, the settle time before a search) without sleeping.
#include <chrono>

namespace varnel {

using Millis = std::chrono::milliseconds;

class Clock {
public:
    virtual ~Clock() = default;
    virtual Millis now() const = 0;
    virtual void sleepFor(Millis duration) = 0;
};

class SteadyClock final : public Clock {
public:
    Millis now() const override;
    void sleepFor(Millis duration) override;
};

class ManualClock final : public Clock {
public:
    Millis now() const override { return now_; }
    void sleepFor(Millis duration) override { advance(duration); }
    void advance(Millis duration) { now_ += duration; }

private:
    Millis now_{0};
};

}  // namespace varnel
