#pragma once

#include "core/core_context.h"
#include "core/main_window_state.h"

#include <optional>
#include <string>

namespace vonalor {

struct CorePorts;

// The session's running cost: each second priced under the tariffs in force, the fee, the
// tariff's name and the allowance alarms. Owns the cost part of the state.
class RunningCost {
public:
    RunningCost(const CorePorts& ports, CostState& state, const SessionState& session,
                const DurationState& duration);

    // The fee shows from the connected edge (a text as stored).
    void showFee();
    // The books take the cost as it is displayed at the connected edge.
    void connected() { m_state.bookedCost = m_state.lbJelenKoltseg; }
    // One second: the running cost and the displayed cost with the fee. Throws ConversionError.
    void step();
    // In the first second of the second minute the display shows the bare tariff.
    void firstMinuteDisplay();
    // The tariff timer's second: the tariff in force now.
    void takeTariff();
    // The money allowance's alarm text when the period total has reached it (once a session);
    // read only while the allowance is on.
    std::optional<std::string> moneyAlarm(const PeriodTotalsState& totals);
    // The hour allowance's alarm text when the total time reaches it on the hour.
    std::optional<std::string> hoursAlarm(const PeriodTotalsState& totals);
    void ended();

private:
    const CorePorts& m_ports;
    CostState& m_state;
    const SessionState& m_session;
    const DurationState& m_duration;
};

} // namespace vonalor
