#include "platform/paced_timer.h"

#include <algorithm>

namespace vonalor {

PacedTimer::PacedTimer(std::string name, int intervalMs, bool enabled, std::function<void()> onTick)
    : m_name(std::move(name)), m_interval(std::max(1, intervalMs)), m_enabled(enabled),
      m_onTick(std::move(onTick)) {}

void PacedTimer::setInterval(int ms) {
    m_interval = std::max(1, ms);
    rearm();
}

void PacedTimer::setEnabled(bool on) {
    m_enabled = on;
    rearm();
}

void PacedTimer::setDormant(bool dormant) {
    if (dormant == m_dormant)
        return;
    m_dormant = dormant;
    // Woken: the first tick comes within the interval, the pace applies after it.
    m_woken = !dormant;
    rearm();
}

void PacedTimer::setCoarse(bool coarse) {
    if (coarse == m_coarse)
        return;
    m_coarse = coarse;
    rearm();
}

void PacedTimer::setPace(int ms) {
    if (ms == m_pace)
        return;
    m_pace = ms;
    rearm();
}

std::optional<int> PacedTimer::nextPeriod(std::int64_t wallMs) const {
    if (!m_enabled || m_dormant)
        return std::nullopt;
    if (m_coarse && m_interval < 1000)
        return static_cast<int>(1000 - wallMs % 1000) + 2;
    return m_woken || m_pace <= m_interval ? m_interval : m_pace;
}

bool PacedTimer::periodChangesAfterTick() const {
    return (m_coarse && m_interval < 1000) || (m_woken && m_pace > m_interval);
}

void PacedTimer::tick() {
    m_woken = false;
    if (m_onTick)
        m_onTick();
}

} // namespace vonalor
