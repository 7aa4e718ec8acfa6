// The connection watch: the 10 ms status timer of the main window.

#include "core/program_core.h"

#include "browser/browser_settings.h"
#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/net.h"
#include "platform/ras.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/timer_service.h"
#include "settings/settings_store.h"
#include "tariff/tariff_bands.h"
#include "tasks/program_log.h"
#include "text/regional.h"

#include <algorithm>

namespace vonalor {

namespace {

const char* const monthNames[] = {"Január", "Február", "Március", "Április", "Május",    "Június",
                                  "Július", "Augusztus", "Szeptember", "Október", "November", "December"};

// The month of a stored date from its characters 6 and 7; anything else is December.
std::string monthName(const std::string& date) {
    if (date.size() >= 7) {
        const std::string digits = date.substr(5, 2);
        for (int month = 1; month <= 11; ++month) {
            char text[3];
            text[0] = static_cast<char>('0' + month / 10);
            text[1] = static_cast<char>('0' + month % 10);
            text[2] = 0;
            if (digits == text)
                return monthNames[month - 1];
        }
    }
    return monthNames[11];
}

} // namespace

void ProgramCore::updateDormancy() {
    // Told of every change, the watch need not look every 10 ms: idle it sleeps, connected it
    // only refreshes the traffic figures, which a view shows five times a second at most.
    Timer& watch = timer("TimerStatus");
    const bool reported = m_ports.ras.reportsChanges();
    watch.setDormant(m_state.connectionHandle == 0 && reported);
    watch.setPace(reported ? 200 : 0);
}

void ProgramCore::refreshPeriodHeader() {
    // Read quietly: a missing date would otherwise add a log entry a hundred times a second.
    SettingsStore& store = m_ports.store;
    m_state.lbKezdDat = store.ReadSettingQuiet("KezdoDatum");
    m_state.lbVegDat = store.ReadSettingQuiet("VegDatum");
    m_state.lbHonap = monthName(m_state.lbKezdDat);
    m_state.byteUnitsEnabled = !m_state.costChooserText.empty() || connectionActive();
}

void ProgramCore::enableSessionTimers() {
    // The tariff timer first: within each second its tick loads the period totals before the
    // first cost step writes over them.
    timer("TimerKoltsegek").setEnabled(true);
    timer("TimerIdotartam").setEnabled(true);
}

void ProgramCore::TimerStatusTimer() {
    refreshPeriodHeader();

    const std::vector<RasConnection> connections = m_ports.ras.activeConnections();
    // A connection of a refused entry is not watched: its name would leave the data home or
    // share another entry's record.
    if (!connections.empty() && !connections.front().entryName.empty() &&
        (connections.front().handle == m_state.connectionHandle || !entryRefused(connections.front().entryName))) {
        const RasConnection& active = connections.front();
        const bool handleChanged = active.handle != m_state.connectionHandle;
        if (handleChanged) {
            m_state.connectionHandle = active.handle;
            m_state.connectionName = active.entryName;
            m_state.lbKapcsNeve = active.entryName;
            m_state.kiseroName = active.entryName;
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
                enableSessionTimers();
            } else if (status == rasstate::Connected) {
                connectedEdge(m_ports.clock.now());
            } else if (status == rasstate::Disconnected) {
                changed();
                m_ports.dialogs.plainNotice("bont");
            }
        }
        if (status == rasstate::Connected)
            refreshTraffic();
        if (edge)
            changed();
        else if (m_view)
            m_view->trafficChanged();
        return;
    }
    if (m_state.connectionHandle != 0)
        disconnectEdge();
    updateDormancy();
}

void ProgramCore::connectedEdge(const DateTime& now) {
    SettingsStore& store = m_ports.store;
    const Regional& regional = Regional::hungarian();
    const std::string& name = m_state.connectionName;

    m_ports.log.AddProgramLogEntry(ProgramLog::Event, "\"" + name + "\" csatlakoztatva!");
    m_state.startTime = regional.formatTime(now.time);
    m_state.startDate = regional.formatDate(now.date);
    auto showFee = [&] {
        if (store.ReadSetting(name + "VanKapcsDij") == "1")
            m_state.lbJelenKoltseg = store.ReadSetting(name + "KapcsDijErteke");
    };
    showFee();
    enableSessionTimers();
    m_state.lbMPerc = "07";
    showFee();
    m_state.bookedCost = m_state.lbJelenKoltseg;
    m_state.lbKapcsAllap = "Csatlakoztatva";
    m_state.connectionSettingsEnabled = false;

    std::string addresses;
    for (const std::string& address : m_ports.net.ipv4Addresses())
        addresses += (addresses.empty() ? "" : "\n") + address;
    m_state.LabelIP = addresses;

    if (store.ReadSetting("KiseroAblak") == "1" && store.ReadSetting("Elrejtes") == "0") {
        // A value that only places a window never stops the session's books.
        m_state.companionLeft = placementSetting("KiseroBal", 40);
        m_state.companionTop = placementSetting("KiseroTop", 40);
        m_state.companionShown = true;
        m_state.taskbarButtonVisible = false;
    }
    m_state.companionDialItemsEnabled = false;
    m_state.discountMoneyEnabled = false;
    m_state.discountHoursEnabled = false;
    m_state.sessionDayPart = static_cast<int>(BandOfHour(now.time.hour));
    m_state.btnKapcsBontEnabled = true;
    m_state.connectedFlag = true;
    if (store.ReadSetting("AutBong") == "1")
        m_ports.shell.open(ReadStartPage(store.registry()));
}

int ProgramCore::placementSetting(const char* name, int fallback) {
    const std::string text = m_ports.store.ReadSetting(name);
    if (const auto value = Regional::hungarian().parseInt(text))
        return *value;
    // Said once per run: the position is looked up at every connection.
    if (std::find(m_reportedSettings.begin(), m_reportedSettings.end(), name) == m_reportedSettings.end()) {
        m_reportedSettings.emplace_back(name);
        m_ports.log.AddProgramLogEntry(ProgramLog::Error, "Hibás számérték: " + std::string(name) + " = '" + text +
                                                              "', helyette " + std::to_string(fallback) + " érvényes");
    }
    return fallback;
}

void ProgramCore::btnKapcsBontClick() {
    if (m_state.connectionHandle != 0)
        m_ports.ras.hangUp(m_state.connectionHandle);
}

void ProgramCore::refreshTraffic() {
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

void ProgramCore::disconnectEdge() {
    SettingsStore& store = m_ports.store;
    m_state.connectionHandle = 0;
    m_state.runningCost = "0";
    m_state.companionDialItemsEnabled = true;
    m_state.btnKapcsBontEnabled = false;

    closeSessionBooks();

    m_ports.log.AddProgramLogEntry(ProgramLog::Event, "\"" + m_state.lbKapcsNeve + "\" szétkapcsolva!");
    m_state.lbKapcsAllap = "Nincs Kapcsolat";
    m_state.tariffName.clear();
    m_state.lbKapcsNeve = "   -  ";
    m_state.lbKapcsSebes = "0 bps";
    m_state.lbBajtKuld = "0";
    m_state.lbBajtFogad = "0";
    m_state.LabelIP = "-";
    timer("TimerIdotartam").setEnabled(false);
    m_state.kiseroCost = "0";
    m_state.kiseroOra = m_state.kiseroPerc = m_state.kiseroMPerc = "00";
    m_state.kiseroName = "   ----   ";
    m_state.connectedFlag = false;
    if (store.ReadSetting("KiseroAblak") != "0")
        m_state.companionLeft = 2000;
    m_state.connectionSettingsEnabled = true;
    m_state.discountMoneyEnabled = store.ReadSetting("MatavFele") == "1";
    m_state.discountHoursEnabled = store.ReadSetting("JelezzenOrat") == "1";
    m_state.lbOra = m_state.lbPerc = m_state.lbMPerc = "00";
    m_state.lbJelenKoltseg = "0";
    m_state.bookedCost = "0";
    m_state.costChooserText.clear();
    m_state.lbOsszOra = m_state.lbOsszPerc = m_state.lbOsszMPerc = "00";
    m_state.lbOsszKoltseg = "0";
    m_state.lbOsszKuldBajt = "0";
    m_state.lbOsszFogadBajt = "0";
    m_state.lbszamla = "0";
    m_state.trayHint = "Nincs aktív kapcsolat";
    timer("TimerKoltsegek").setEnabled(false);
    m_state.connectionName.clear();
    m_state.startTime.clear();
    m_state.startDate.clear();
    // The title would otherwise go on saying "Csatlakoztatva" with the last price.
    m_state.windowTitle = "Vonalor";
    changed();

    if (store.ReadSetting("AutoCookie") == "1") {
        ClearUrlCache(m_ports.browser, [this] {
            if (m_view)
                m_view->processEvents();
        });
        m_ports.sound.messageBeep(0x00);
    }
}

} // namespace vonalor
