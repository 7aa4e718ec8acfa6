// Closing a session's books from the main window's displays.

#include "core/program_core.h"

#include "platform/clock.h"
#include "settings/settings_store.h"
#include "stats/billing_period.h"
#include "stats/session_log.h"
#include "text/regional.h"

namespace vonalor {

void ProgramCore::closeSessionBooks() {
    SessionFigures session;
    session.connection = m_state.lbKapcsNeve;
    session.connected = m_state.connectedFlag;
    session.startDate = m_state.startDate;
    session.startTime = m_state.startTime;
    session.hours = m_state.lbOra;
    session.minutes = m_state.lbPerc;
    session.seconds = m_state.lbMPerc;
    session.currentCost = m_state.lbJelenKoltseg;
    session.bytesSent = m_state.lbBajtKuld;
    session.bytesReceived = m_state.lbBajtFogad;
    CloseSessionBooks(m_ports.store, m_ports.home, m_ports.clock, session);
    if (m_view)
        m_view->sessionBooked();
}

void ProgramCore::TimerUjHonapTimer() {
    if (!TimerUjHonapStep(m_ports.store, m_ports.home, m_ports.clock, m_state.phonebook))
        return;
    refreshPeriodHeader();
    changed();
    if (m_view)
        m_view->periodClosed();
}

void ProgramCore::comboTolChange(int itemIndex) {
    vonalor::comboTolChange(m_ports.store, m_ports.log, itemIndex);
    m_state.billingDayIndex = itemIndex;
    refreshPeriodHeader();
    changed();
}

} // namespace vonalor
