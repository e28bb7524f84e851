#include "fw/core/clock.h"

#include <algorithm>
#include <time.h>

namespace fw {
namespace {

SystemClock& systemClock()
{
    static SystemClock clock;
    return clock;
}

Clock*& current()
{
    static Clock* clock = nullptr;
    return clock;
}

std::vector<ClockListener*>& listeners()
{
    static std::vector<ClockListener*> all;
    return all;
}

} // namespace

Clock::~Clock() = default;

int64_t SystemClock::steadyMs() const
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

std::time_t SystemClock::wallTime() const
{
    return std::time(nullptr);
}

ClockListener::ClockListener()
{
    listeners().push_back(this);
}

ClockListener::~ClockListener()
{
    std::erase(listeners(), this);
}

ManualClock::ManualClock(int64_t steadyMs, std::time_t wallTime)
    : steadyMs_(steadyMs), wallBase_(wallTime), wallBaseSteady_(steadyMs)
{
}

std::time_t ManualClock::wallTime() const
{
    return wallBase_ + static_cast<std::time_t>((steadyMs_ - wallBaseSteady_) / 1000);
}

void ManualClock::setWallTime(std::time_t wallTime)
{
    wallBase_ = wallTime;
    wallBaseSteady_ = steadyMs_;
}

void ManualClock::advance(int64_t ms)
{
    const int64_t end = steadyMs_ + std::max<int64_t>(ms, 0);
    if (&clock() != this) { // nobody's timers run on a clock that is not installed
        steadyMs_ = end;
        return;
    }
    // Each firing may set or kill timers (or listeners), so look for the earliest due afresh.
    for (int fired = 0; fired < 100000; ++fired) {
        ClockListener* next = nullptr;
        int64_t nextDue = 0;
        for (ClockListener* l : listeners())
            if (auto due = l->nextDue(); due && *due <= end && (!next || *due < nextDue)) {
                next = l;
                nextDue = *due;
            }
        if (!next)
            break;
        steadyMs_ = std::max(steadyMs_, nextDue);
        next->fireDue(steadyMs_);
    }
    steadyMs_ = end;
}

const Clock& clock()
{
    return current() ? *current() : systemClock();
}

void setClock(Clock* clock)
{
    if (current() == clock)
        return;
    current() = clock;
    auto all = listeners();
    for (ClockListener* l : all)
        if (std::find(listeners().begin(), listeners().end(), l) != listeners().end())
            l->clockChanged();
}

ClockScope::ClockScope(Clock& clock) : previous_(current())
{
    setClock(&clock);
}

ClockScope::~ClockScope()
{
    setClock(previous_);
}

} // namespace fw
