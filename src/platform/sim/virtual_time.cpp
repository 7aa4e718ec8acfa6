#include "platform/sim/virtual_time.h"

#include <algorithm>

namespace vonalor {

class VirtualTime::VirtualTimer final : public Timer {
public:
    VirtualTimer(VirtualTime& owner, std::string name, int interval, bool enabled,
                 std::function<void()> onTick)
        : m_owner(owner), m_name(std::move(name)), m_interval(std::max(1, interval)),
          m_onTick(std::move(onTick)) {
        setEnabled(enabled);
    }

    const std::string& name() const override { return m_name; }
    int interval() const override { return m_interval; }
    void setInterval(int ms) override {
        m_interval = std::max(1, ms);
        if (m_enabled)
            restart();
    }
    bool enabled() const override { return m_enabled; }
    void setEnabled(bool on) override {
        m_enabled = on;
        if (on)
            restart();
    }
    // Among timers due at the same moment, the one started earlier fires first, as on the
    // desktop's event loop.
    std::uint64_t startOrder() const { return m_startOrder; }

    void setDormant(bool dormant) override { m_dormant = dormant; }
    void setCoarse(bool coarse) override { m_coarse = coarse; }
    void setPace(int ms) override { m_pace = ms; }
    int pace() const override { return m_pace; }
    bool dormant() const override { return m_dormant; }
    bool coarse() const override { return m_coarse; }

    std::int64_t due() const { return m_due; }
    void restart() {
        m_due = m_owner.m_nowMs + m_interval;
        m_startOrder = ++m_owner.m_starts;
    }
    void fire() {
        // The next period is set before the handler runs, so a handler that waits
        // (advancing time) sees its own timer come round again.
        m_due += m_interval;
        if (m_onTick)
            m_onTick();
    }

private:
    VirtualTime& m_owner;
    std::string m_name;
    int m_interval;
    bool m_enabled = false;
    bool m_dormant = false;
    bool m_coarse = false;
    int m_pace = 0;
    std::int64_t m_due = 0;
    std::uint64_t m_startOrder = 0;
    std::function<void()> m_onTick;
};

VirtualTime::VirtualTime(const DateTime& start) : m_nowMs(toEpochMs(start)) {}

VirtualTime::~VirtualTime() = default;

DateTime VirtualTime::now() const {
    return fromEpochMs(m_nowMs);
}

Timer& VirtualTime::createTimer(std::string name, int intervalMs, bool enabled,
                                std::function<void()> onTick) {
    m_timers.push_back(
        std::make_unique<VirtualTimer>(*this, std::move(name), intervalMs, enabled, std::move(onTick)));
    return *m_timers.back();
}

VirtualTime::VirtualTimer* VirtualTime::nextDue(std::int64_t limit) const {
    VirtualTimer* best = nullptr;
    for (const auto& timer : m_timers) {
        if (!timer->enabled() || timer->due() > limit)
            continue;
        if (!best || timer->due() < best->due() ||
            (timer->due() == best->due() && timer->startOrder() < best->startOrder()))
            best = timer.get();
    }
    return best;
}

void VirtualTime::advance(std::int64_t ms) {
    const std::int64_t target = m_nowMs + std::max<std::int64_t>(0, ms);
    while (VirtualTimer* timer = nextDue(target)) {
        m_nowMs = std::max(m_nowMs, timer->due());
        ++m_ticksFired;
        timer->fire();
    }
    m_nowMs = std::max(m_nowMs, target);
}

void VirtualTime::advanceTo(const DateTime& when) {
    advance(toEpochMs(when) - m_nowMs);
}

void VirtualTime::setNow(const DateTime& when) {
    const std::int64_t shift = toEpochMs(when) - m_nowMs;
    m_nowMs += shift;
    for (auto& timer : m_timers) {
        if (timer->enabled())
            timer->restart();
    }
}

} // namespace vonalor
