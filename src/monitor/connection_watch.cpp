// The connection watch: the 10 ms status timer of the main window.

#include "monitor/connection_watch.h"

#include "core/core_ports.h"
#include "monitor/session_listener.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/net.h"
#include "platform/ras.h"
#include "platform/timer_service.h"
#include "tariff/tariff_bands.h"
#include "text/regional.h"

namespace vonalor {

ConnectionWatch::ConnectionWatch(const CorePorts& ports, CoreContext& core, SessionState& state,
                                 SessionListener& listener, std::function<bool(const std::string&)> refused)
    : m_ports(ports), m_core(core), m_state(state), m_listener(listener), m_refused(std::move(refused)) {}

void ConnectionWatch::updateDormancy() {
    // Told of every change, the watch need not look every 10 ms: idle it sleeps, connected it
    // only refreshes the traffic figures, which a view shows five times a second at most (and
    // once a second while nothing shows them).
    Timer& watch = m_core.timer(TimerId::Status);
    const bool reported = m_ports.ras.reportsChanges();
    watch.setDormant(m_state.connectionHandle == 0 && reported);
    watch.setPace(pace());
}

int ConnectionWatch::pace() const {
    if (!m_ports.ras.reportsChanges())
        return 0;
    return m_figuresShown ? 200 : 1000;
}

void ConnectionWatch::setFiguresShown(bool shown) {
    if (shown == m_figuresShown)
        return;
    m_figuresShown = shown;
    // Only the pace: the watch looks at least once before it may sleep.
    m_core.timer(TimerId::Status).setPace(pace());
}

void ConnectionWatch::TimerStatusTimer() {
    const std::vector<RasConnection> connections = m_ports.ras.activeConnections();
    // A connection of a refused entry is not watched: its name would leave the data home or
    // share another entry's record.
    if (!connections.empty() && !connections.front().entryName.empty() &&
        (connections.front().handle == m_state.connectionHandle ||
         !m_refused(connections.front().entryName))) {
        const RasConnection& active = connections.front();
        const bool handleChanged = active.handle != m_state.connectionHandle;
        if (handleChanged) {
            m_state.connectionHandle = active.handle;
            m_state.connectionName = active.entryName;
            m_state.lbKapcsNeve = active.entryName;
            m_listener.sessionAppeared(active.entryName);
            m_state.btnKapcsBontEnabled = true;
            m_ports.ras.resetStatistics(active.handle);
            updateDormancy();
        }
        const std::uint16_t status = m_ports.ras.connectStatus(m_state.connectionHandle);
        bool edge = handleChanged;
        if (status != m_state.lastStateCode) {
            edge = true;
            m_state.lastStateCode = status;
            if (status < rasstate::Connected) {
                m_state.lbKapcsAllap = "Ellenőrzés";
                m_listener.sessionSettingUp();
            } else if (status == rasstate::Connected) {
                m_listener.sessionConnected(m_ports.clock.now());
            } else if (status == rasstate::Disconnected) {
                m_core.settledView();
                m_ports.dialogs.plainNotice("bont");
            }
        }
        if (status == rasstate::Connected)
            refreshTraffic();
        m_core.changed(edge ? AllAspects : static_cast<Aspects>(Aspect::Traffic));
        return;
    }
    if (m_state.connectionHandle != 0)
        m_listener.sessionEnded();
    updateDormancy();
}

void ConnectionWatch::connectedMarks(const DateTime& now) {
    const Regional& regional = Regional::hungarian();
    m_state.startTime = regional.formatTime(now.time);
    m_state.startDate = regional.formatDate(now.date);
}

void ConnectionWatch::connectedAddresses() {
    m_state.lbKapcsAllap = "Csatlakoztatva";
    m_state.connectionSettingsEnabled = false;
    std::string addresses;
    for (const std::string& address : m_ports.net.ipv4Addresses())
        addresses += (addresses.empty() ? "" : "\n") + address;
    m_state.LabelIP = addresses;
}

void ConnectionWatch::connectedLock(const DateTime& now) {
    m_state.sessionDayPart = static_cast<int>(BandOfHour(now.time.hour));
    m_state.btnKapcsBontEnabled = true;
    m_state.connectedFlag = true;
}

void ConnectionWatch::hangUp() {
    if (m_state.connectionHandle != 0)
        m_ports.ras.hangUp(m_state.connectionHandle);
}

void ConnectionWatch::refreshTraffic() {
    const Regional& regional = Regional::hungarian();
    const RasStatistics stats = m_ports.ras.statistics(m_state.connectionHandle);
    m_state.lbKapcsSebes = regional.groupDigits(stats.speed) + " bps";
    m_state.lbBajtKuld = regional.groupDigits(stats.bytesSent);
    m_state.lbBajtFogad = regional.groupDigits(stats.bytesReceived);
    // The plain counts behind the tray's pictures; a change sets its mark until the icon's tick.
    auto note = [](std::string& field, bool& mark, std::uint64_t count) {
        std::string text = std::to_string(count);
        if (text != field) {
            field = std::move(text);
            mark = true;
        }
    };
    note(m_state.sentActivity, m_state.sentChanged, stats.bytesSent);
    note(m_state.receivedActivity, m_state.receivedChanged, stats.bytesReceived);
}

void ConnectionWatch::endedHandle() {
    m_state.connectionHandle = 0;
    m_state.btnKapcsBontEnabled = false;
}

void ConnectionWatch::endedDisplays() {
    m_state.lbKapcsAllap = "Nincs Kapcsolat";
    m_state.lbKapcsNeve = "   -  ";
    m_state.lbKapcsSebes = "0 bps";
    m_state.lbBajtKuld = "0";
    m_state.lbBajtFogad = "0";
    m_state.LabelIP = "-";
    m_state.connectedFlag = false;
    m_state.connectionSettingsEnabled = true;
}

ConnectionWatch::Activity ConnectionWatch::takeActivity() {
    const Activity activity{m_state.sentChanged, m_state.receivedChanged};
    m_state.sentChanged = false;
    m_state.receivedChanged = false;
    return activity;
}

void ConnectionWatch::endedIdentity() {
    m_state.connectionName.clear();
    m_state.startTime.clear();
    m_state.startDate.clear();
}

} // namespace vonalor
