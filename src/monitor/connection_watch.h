#pragma once

#include "core/core_context.h"
#include "core/main_window_state.h"
#include "text/date_time.h"

#include <functional>

namespace vonalor {

struct CorePorts;
class SessionListener;

// The status timer's work: takes up the first active connection, follows its state, refreshes
// its traffic and reports the session's edges. Owns the session part of the state.
class ConnectionWatch {
public:
    // `refused` tells whether an entry's connections are left alone (its name was refused).
    ConnectionWatch(const CorePorts& ports, CoreContext& core, SessionState& state, SessionListener& listener,
                    std::function<bool(const std::string&)> refused);

    void TimerStatusTimer();
    // Hangs up the active connection; the watch sees it go.
    void hangUp();
    void updateDormancy();
    // Whether anything shows the traffic figures live (the main window); unseen, a refresh a
    // second serves the tray's pictures and hint.
    void setFiguresShown(bool shown);

    bool active() const { return m_state.lbKapcsAllap != "Nincs Kapcsolat"; }

    // The steps of the edges that change the session's own displays, in the places the
    // program core's edge functions call them.
    void connectedMarks(const DateTime& now);
    void connectedAddresses();
    void connectedLock(const DateTime& now);
    void endedHandle();
    void endedDisplays();
    void endedIdentity();

    // The traffic marks of the last second (for the tray's pictures); they start again.
    struct Activity {
        bool sent = false, received = false;
    };
    Activity takeActivity();

private:
    void refreshTraffic();
    // How often the watch looks while a change of state would be reported (0: every interval).
    int pace() const;

    const CorePorts& m_ports;
    CoreContext& m_core;
    SessionState& m_state;
    SessionListener& m_listener;
    std::function<bool(const std::string&)> m_refused;
    bool m_figuresShown = true;
};

} // namespace vonalor
