#pragma once

#include "core/main_window_state.h"

namespace vonalor {

struct CorePorts;

// The tray icon's hint, picture and visibility. Owns the tray part of the state.
class TrayStatus {
public:
    TrayStatus(const CorePorts& ports, TrayState& state) : m_ports(ports), m_state(state) {}

    // The icon's second: the hint shows the session; the picture the last second's traffic.
    void TimerIkonTimer(const SessionState& session, const DurationState& duration, const CostState& cost,
                        bool sent, bool received);
    // While the restore password is asked, no menu command may bypass it.
    bool menuOffered() const;
    void setVisible(bool visible) { m_state.visible = visible; }
    void sessionEnded() { m_state.hint = "Nincs aktív kapcsolat"; }

private:
    const CorePorts& m_ports;
    TrayState& m_state;
};

} // namespace vonalor
