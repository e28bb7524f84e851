#pragma once
// The one clock of the process: the application's timers, the trading time's "now" and the
// router session's ticks all read it, so tests replace it with a ManualClock and drive time by
// hand instead of waiting for it.
#include "fw/core/fw_core_api.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <vector>

namespace fw {

class FW_CORE_API Clock {
public:
    virtual ~Clock();
    // Milliseconds on a steady scale that never jumps with the wall clock (ticks, timers).
    virtual int64_t steadyMs() const = 0;
    // The wall clock: seconds since 1970-01-01 00:00 UTC.
    virtual std::time_t wallTime() const = 0;
    // A manual clock moves only when told; the application's timers then fire from advance().
    virtual bool isManual() const { return false; }
};

// CLOCK_MONOTONIC and the system's wall clock.
class FW_CORE_API SystemClock : public Clock {
public:
    int64_t steadyMs() const override;
    std::time_t wallTime() const override;
};

// Whatever runs timers on the clock (the application) registers here, so that a manual clock can
// fire them as it advances and a change of clock reaches them.
class FW_CORE_API ClockListener {
public:
    ClockListener();
    virtual ~ClockListener();
    ClockListener(const ClockListener&) = delete;
    ClockListener& operator=(const ClockListener&) = delete;
    // Another clock was installed.
    virtual void clockChanged() {}
    // The earliest steady time at which a timer falls due, if any.
    virtual std::optional<int64_t> nextDue() const = 0;
    // Fires the timers due at or before `now` (the clock reads `now` meanwhile).
    virtual void fireDue(int64_t now) = 0;
};

// Time that moves only when a test advances it. Both scales move together.
class FW_CORE_API ManualClock : public Clock {
public:
    explicit ManualClock(int64_t steadyMs = 0, std::time_t wallTime = 0);
    int64_t steadyMs() const override { return steadyMs_; }
    std::time_t wallTime() const override;
    bool isManual() const override { return true; }

    // Moves time forward by ms, stopping at each timer that falls due on the way, in time order,
    // so a timer of period p fires ms / p times. Bounded per call.
    void advance(int64_t ms);
    // Sets the wall clock (the steady scale is not touched: it never jumps).
    void setWallTime(std::time_t wallTime);

private:
    int64_t steadyMs_;
    std::time_t wallBase_;
    int64_t wallBaseSteady_;
};

// The clock in force: the system clock unless another was installed.
FW_CORE_API const Clock& clock();
// Installs a clock (the caller keeps it alive while installed); null restores the system clock.
FW_CORE_API void setClock(Clock* clock);

// Installs a clock for the lifetime of the scope (tests).
class FW_CORE_API ClockScope {
public:
    explicit ClockScope(Clock& clock);
    ~ClockScope();
    ClockScope(const ClockScope&) = delete;
    ClockScope& operator=(const ClockScope&) = delete;

private:
    Clock* previous_;
};

} // namespace fw
