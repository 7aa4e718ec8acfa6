#pragma once

#include <functional>
#include <string>

namespace vonalor {

// A named periodic timer. Enabling it (again) or changing its interval starts its period
// afresh, as a window timer does.
class Timer {
public:
    virtual ~Timer() = default;
    virtual const std::string& name() const = 0;
    virtual int interval() const = 0;
    virtual void setInterval(int ms) = 0;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool on) = 0;

    // Pacing on the real clock; virtual time ignores it and ticks exactly as set, so the
    // observable behaviour is the same. The owner guarantees that what it declares holds:
    // - dormant: the handler has nothing to do until the owner says otherwise, so the real
    //   service need not wake for it at all;
    // - coarse: what the handler does only changes at whole seconds, so the real service
    //   may wake just after each second boundary instead of every interval;
    // - paced: every change that matters is reported (and wakes the timer at once), so between
    //   reports the real service may tick at the longer pace (0: the interval itself).
    virtual void setDormant(bool dormant) = 0;
    virtual void setCoarse(bool coarse) = 0;
    virtual void setPace(int ms) = 0;
    virtual bool dormant() const = 0;
    virtual bool coarse() const = 0;
    virtual int pace() const = 0;
};

// Creates timers; the service owns them for its own lifetime.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual Timer& createTimer(std::string name, int intervalMs, bool enabled,
                               std::function<void()> onTick) = 0;
};

} // namespace vonalor
