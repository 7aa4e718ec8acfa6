#pragma once

#include "core/main_window_state.h"

#include <string>
#include <vector>

namespace vonalor {

struct CorePorts;

// The "Költségek" page's figures: the billing period, the period's totals with the running
// session in them, the byte totals and the bill of all connections. Owns the totals part of
// the state.
class PeriodTotals {
public:
    PeriodTotals(const CorePorts& ports, PeriodTotalsState& state, const SessionState& session);

    // The window's creation: the period's dates as stored and the page's caption.
    void windowCreated();
    // The period's dates and month, kept current (read quietly: this runs many times a second).
    void refreshPeriodHeader();
    // The tariff timer's second: a session's first one loads the record's totals.
    void loadTotalsOnce(const std::string& connection);
    // The running session in the totals: the cost with the fee, the byte totals and the bill.
    // Throws ConversionError naming a stored total that is not a number.
    void showRunning(const std::string& connection, const std::string& sessionCost,
                     const std::vector<std::string>& phonebook);
    void secondCounted();
    void sessionEnded();
    // One tick of the rollover timer; true when a period was closed.
    bool TimerUjHonapTimer(const std::vector<std::string>& phonebook);

private:
    const CorePorts& m_ports;
    PeriodTotalsState& m_state;
    const SessionState& m_session;
};

} // namespace vonalor
