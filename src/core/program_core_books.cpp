// Closing a session's books from the main window's displays.

#include "core/program_core.h"

#include "platform/clock.h"
#include "stats/session_log.h"

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

} // namespace vonalor
