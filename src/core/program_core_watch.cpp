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
    Timer& watch = timer(TimerId::Status);
    const bool reported = m_ports.ras.reportsChanges();
    watch.setDormant(m_state.session.connectionHandle == 0 && reported);
    watch.setPace(reported ? 200 : 0);
}

void ProgramCore::refreshPeriodHeader() {
    // Read quietly: a missing date would otherwise add a log entry a hundred times a second.
    SettingsStore& store = m_ports.store;
    m_state.totals.lbKezdDat = store.ReadSettingQuiet("KezdoDatum");
    m_state.totals.lbVegDat = store.ReadSettingQuiet("VegDatum");
    m_state.totals.lbHonap = monthName(m_state.totals.lbKezdDat);
    m_state.totals.byteUnitsEnabled = !m_state.totals.costChooserText.empty() || connectionActive();
}

void ProgramCore::enableSessionTimers() {
    // The tariff timer first: within each second its tick loads the period totals before the
    // first cost step writes over them.
    timer(TimerId::Koltsegek).setEnabled(true);
    timer(TimerId::Idotartam).setEnabled(true);
}

void ProgramCore::TimerStatusTimer() {
    refreshPeriodHeader();

    const std::vector<RasConnection> connections = m_ports.ras.activeConnections();
    // A connection of a refused entry is not watched: its name would leave the data home or
    // share another entry's record.
    if (!connections.empty() && !connections.front().entryName.empty() &&
        (connections.front().handle == m_state.session.connectionHandle || !entryRefused(connections.front().entryName))) {
        const RasConnection& active = connections.front();
        const bool handleChanged = active.handle != m_state.session.connectionHandle;
        if (handleChanged) {
            m_state.session.connectionHandle = active.handle;
            m_state.session.connectionName = active.entryName;
            m_state.session.lbKapcsNeve = active.entryName;
            m_state.companion.name = active.entryName;
            m_state.session.btnKapcsBontEnabled = true;
            m_ports.ras.resetStatistics(active.handle);
            updateDormancy();
        }
        const std::uint16_t status = m_ports.ras.connectStatus(m_state.session.connectionHandle);
        bool edge = handleChanged;
        if (status != m_state.session.lastStateCode) {
            edge = true;
            m_state.session.lastStateCode = status;
            if (status < rasstate::Connected) {
                m_state.session.lbKapcsAllap = "Ellenőrzés";
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
        else
            changed(Aspect::Traffic);
        return;
    }
    if (m_state.session.connectionHandle != 0)
        disconnectEdge();
    updateDormancy();
}

void ProgramCore::connectedEdge(const DateTime& now) {
    SettingsStore& store = m_ports.store;
    const Regional& regional = Regional::hungarian();
    const std::string& name = m_state.session.connectionName;

    m_ports.log.AddProgramLogEntry(ProgramLog::Event, "\"" + name + "\" csatlakoztatva!");
    m_state.session.startTime = regional.formatTime(now.time);
    m_state.session.startDate = regional.formatDate(now.date);
    auto showFee = [&] {
        if (store.ReadSetting(name + "VanKapcsDij") == "1")
            m_state.cost.lbJelenKoltseg = store.ReadSetting(name + "KapcsDijErteke");
    };
    showFee();
    enableSessionTimers();
    m_state.duration.lbMPerc = "07";
    showFee();
    m_state.cost.bookedCost = m_state.cost.lbJelenKoltseg;
    m_state.session.lbKapcsAllap = "Csatlakoztatva";
    m_state.session.connectionSettingsEnabled = false;

    std::string addresses;
    for (const std::string& address : m_ports.net.ipv4Addresses())
        addresses += (addresses.empty() ? "" : "\n") + address;
    m_state.session.LabelIP = addresses;

    if (store.ReadSetting("KiseroAblak") == "1" && store.ReadSetting("Elrejtes") == "0") {
        // A value that only places a window never stops the session's books.
        m_state.companion.left = placementSetting("KiseroBal", 40);
        m_state.companion.top = placementSetting("KiseroTop", 40);
        m_state.companion.shown = true;
        m_state.window.taskbarButtonVisible = false;
    }
    m_state.companion.dialItemsEnabled = false;
    m_state.discount.discountMoneyEnabled = false;
    m_state.discount.discountHoursEnabled = false;
    m_state.session.sessionDayPart = static_cast<int>(BandOfHour(now.time.hour));
    m_state.session.btnKapcsBontEnabled = true;
    m_state.session.connectedFlag = true;
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
    if (m_state.session.connectionHandle != 0)
        m_ports.ras.hangUp(m_state.session.connectionHandle);
}

void ProgramCore::refreshTraffic() {
    const Regional& regional = Regional::hungarian();
    const RasStatistics stats = m_ports.ras.statistics(m_state.session.connectionHandle);
    m_state.session.lbKapcsSebes = regional.groupDigits(stats.speed) + " bps";
    m_state.session.lbBajtKuld = regional.groupDigits(stats.bytesSent);
    m_state.session.lbBajtFogad = regional.groupDigits(stats.bytesReceived);
    // The plain counts behind the tray's pictures; a change sets its mark until the icon's tick.
    auto note = [](std::string& field, bool& mark, std::uint64_t count) {
        std::string text = std::to_string(count);
        if (text != field) {
            field = std::move(text);
            mark = true;
        }
    };
    note(m_state.session.sentActivity, m_state.session.sentChanged, stats.bytesSent);
    note(m_state.session.receivedActivity, m_state.session.receivedChanged, stats.bytesReceived);
}

void ProgramCore::disconnectEdge() {
    SettingsStore& store = m_ports.store;
    m_state.session.connectionHandle = 0;
    m_state.cost.runningCost = "0";
    m_state.companion.dialItemsEnabled = true;
    m_state.session.btnKapcsBontEnabled = false;

    closeSessionBooks();

    m_ports.log.AddProgramLogEntry(ProgramLog::Event, "\"" + m_state.session.lbKapcsNeve + "\" szétkapcsolva!");
    m_state.session.lbKapcsAllap = "Nincs Kapcsolat";
    m_state.cost.tariffName.clear();
    m_state.session.lbKapcsNeve = "   -  ";
    m_state.session.lbKapcsSebes = "0 bps";
    m_state.session.lbBajtKuld = "0";
    m_state.session.lbBajtFogad = "0";
    m_state.session.LabelIP = "-";
    timer(TimerId::Idotartam).setEnabled(false);
    m_state.companion.cost = "0";
    m_state.companion.hours = m_state.companion.minutes = m_state.companion.seconds = "00";
    m_state.companion.name = "   ----   ";
    m_state.session.connectedFlag = false;
    if (store.ReadSetting("KiseroAblak") != "0")
        m_state.companion.left = 2000;
    m_state.session.connectionSettingsEnabled = true;
    m_state.discount.discountMoneyEnabled = store.ReadSetting("MatavFele") == "1";
    m_state.discount.discountHoursEnabled = store.ReadSetting("JelezzenOrat") == "1";
    m_state.duration.lbOra = m_state.duration.lbPerc = m_state.duration.lbMPerc = "00";
    m_state.cost.lbJelenKoltseg = "0";
    m_state.cost.bookedCost = "0";
    m_state.totals.costChooserText.clear();
    m_state.totals.lbOsszOra = m_state.totals.lbOsszPerc = m_state.totals.lbOsszMPerc = "00";
    m_state.totals.lbOsszKoltseg = "0";
    m_state.totals.lbOsszKuldBajt = "0";
    m_state.totals.lbOsszFogadBajt = "0";
    m_state.totals.lbszamla = "0";
    m_state.tray.hint = "Nincs aktív kapcsolat";
    timer(TimerId::Koltsegek).setEnabled(false);
    m_state.session.connectionName.clear();
    m_state.session.startTime.clear();
    m_state.session.startDate.clear();
    // The title would otherwise go on saying "Csatlakoztatva" with the last price.
    m_state.window.windowTitle = "Vonalor";
    changed();

    if (store.ReadSetting("AutoCookie") == "1") {
        ClearUrlCache(m_ports.browser, [this] {
            tellView();
            if (m_view)
                m_view->processEvents();
        });
        m_ports.sound.messageBeep(0x00);
    }
}

} // namespace vonalor
