#pragma once

#include "platform/timer_service.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vonalor {

// The state and the pacing rules of a timer on the real clock, shared by the desktop's and
// the command line's timer services; they only arm their own clocks as nextPeriod() says.
class PacedTimer : public Timer {
public:
    PacedTimer(std::string name, int intervalMs, bool enabled, std::function<void()> onTick);

    const std::string& name() const override { return m_name; }
    int interval() const override { return m_interval; }
    void setInterval(int ms) override;
    bool enabled() const override { return m_enabled; }
    void setEnabled(bool on) override;
    void setDormant(bool dormant) override;
    void setCoarse(bool coarse) override;
    void setPace(int ms) override;
    bool dormant() const override { return m_dormant; }
    bool coarse() const override { return m_coarse; }
    int pace() const override { return m_pace; }

protected:
    // How long until the next tick: nothing while the timer sleeps; just after the next whole
    // second of the wall clock (given in ms) for a coarse one; else the interval, or the
    // longer pace once the first tick after a wake has come.
    std::optional<int> nextPeriod(std::int64_t wallMs) const;
    // The period changes after this tick (a coarse timer, or the first tick after a wake).
    bool periodChangesAfterTick() const;
    // Runs the handler; call when the period is due.
    void tick();
    // The settings changed: arm the clock again from now.
    virtual void rearm() = 0;

private:
    std::string m_name;
    int m_interval;
    bool m_enabled;
    bool m_dormant = false;
    bool m_coarse = false;
    bool m_woken = false;
    int m_pace = 0;
    std::function<void()> m_onTick;
};

} // namespace vonalor
