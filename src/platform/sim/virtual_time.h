#pragma once

#include "platform/clock.h"
#include "platform/timer_service.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vonalor {

// A clock and a timer service on virtual time. advance() moves the clock forward and fires
// every timer that falls due on the way, earliest first (ties: the timer started first). A timer
// callback may itself advance time (a modal dialog letting other ticks run), and timers
// fire nested inside it, as window timers do under a modal loop.
class VirtualTime final : public Clock, public TimerService {
public:
    explicit VirtualTime(const DateTime& start);
    ~VirtualTime() override;

    DateTime now() const override;
    Timer& createTimer(std::string name, int intervalMs, bool enabled, std::function<void()> onTick) override;

    std::int64_t nowMs() const { return m_nowMs; }
    void advance(std::int64_t ms);
    void advanceTo(const DateTime& when);
    // Jumps the clock without firing timers (the user changed the system time).
    void setNow(const DateTime& when);

    // How many ticks have fired in all; lets tests see that a loop really ran.
    std::uint64_t ticksFired() const { return m_ticksFired; }

private:
    class VirtualTimer;
    VirtualTimer* nextDue(std::int64_t limit) const;

    std::int64_t m_nowMs;
    std::uint64_t m_ticksFired = 0;
    std::uint64_t m_starts = 0;
    std::vector<std::unique_ptr<VirtualTimer>> m_timers;
};

} // namespace vonalor
