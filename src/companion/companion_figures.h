#pragma once

#include "core/core_context.h"
#include "core/main_window_state.h"

#include <string>

namespace vonalor {

struct CorePorts;

// The companion window's figures and place, until the window itself shows them. Owns the
// companion part of the state.
class CompanionFigures {
public:
    CompanionFigures(const CorePorts& ports, CoreContext& core, CompanionState& state);

    // Which figures it shows, as stored (KiseroJelOssz): the session's or the totals.
    void load();
    void sessionAppeared(const std::string& name) { m_state.name = name; }
    // At the connected edge: shown at its stored place when it is on; true when shown.
    bool sessionConnected();
    // Each second: the session's figures or the period's, as chosen.
    void secondCounted(const DurationState& duration, const CostState& cost, const PeriodTotalsState& totals);
    void sessionEnded();

private:
    // A stored number that only places the window: a bad text falls back to the default.
    int placement(const char* name, int fallback);

    const CorePorts& m_ports;
    CoreContext& m_core;
    CompanionState& m_state;
};

} // namespace vonalor
