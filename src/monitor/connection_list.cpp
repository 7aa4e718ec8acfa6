// The connection list: the phonebook every chooser shows, and new entries taken up.

#include "monitor/connection_list.h"

#include "core/core_ports.h"
#include "core/message_dialogs.h"
#include "platform/clock.h"
#include "platform/ras.h"
#include "platform/sqlite_registry.h"
#include "platform/timer_service.h"
#include "settings/connection_record.h"
#include "settings/settings_store.h"
#include "stats/daily_statistics.h"
#include "tasks/program_log.h"

#include <algorithm>

namespace vonalor {

ConnectionList::ConnectionList(const CorePorts& ports, CoreContext& core, PhonebookState& state,
                               std::function<void(const std::string&)> showTariffs)
    : m_ports(ports), m_core(core), m_state(state), m_showTariffs(std::move(showTariffs)) {}

void ConnectionList::load() {
    m_state.entries = entries();
    m_state.known = m_state.entries;
}

void ConnectionList::loadDevices() {
    m_state.devices = m_ports.ras.devices();
}

std::vector<std::string> ConnectionList::entries() {
    PhonebookCheck check = checkPhonebook(m_ports.ras.entries());
    for (const auto& [name, reason] : check.refused) {
        const std::string text = "A(z) \"" + name + "\" kapcsolatot a program nem figyeli: " + reason + ".";
        if (m_core.report(CoreContext::Notice::Error, text))
            m_ports.log.AddProgramLogEntry(ProgramLog::Error, text);
    }
    return std::move(check.kept);
}

bool ConnectionList::refused(const std::string& name) const {
    if (!entryNameProblem(name).empty())
        return true;
    const std::string key = foldRegistryName(name);
    return std::any_of(m_state.entries.begin(), m_state.entries.end(), [&](const std::string& kept) {
        return kept != name && foldRegistryName(kept) == key;
    });
}

void ConnectionList::TimerKapcsFrissitTimer() {
    SettingsStore& store = m_ports.store;
    m_state.known = entries();
    const std::vector<std::string>& listed = m_state.known;
    const auto count = static_cast<std::int32_t>(listed.size());
    const std::int32_t stored = store.readInt("KapcsolatokSzama");
    // New entries are found by name, wherever the system lists them: an entry is new when it has
    // no record yet. An entry that comes back keeps the record it had.
    std::vector<std::string> added;
    bool takenUp = true;
    for (const std::string& entry : listed) {
        if (!hasConnectionRecord(store, entry))
            added.push_back(entry);
    }
    if (count > stored || !added.empty()) {
        if (count > stored)
            store.WriteSetting("KapcsolatokSzama", std::to_string(count));
        m_state.entries = listed;
        m_core.changed(static_cast<Aspects>(Aspect::Phonebook));
        for (const std::string& name : added) {
            if (!CreateConnectionRecord(store, name)) {
                takenUp = false; // reported by the store; tried again at the next tick
                continue;
            }
            if (!ensureDailyStatistics(m_ports.home, name, m_ports.clock.now().date))
                m_core.report(CoreContext::Notice::Error,
                              "A(z) \"" + dailyStatisticsFile(m_ports.home, name).filename().string() +
                                  "\" fájl nem írható.");
            const std::string text =
                "Új kapcsolat lett létrehozva!A program elvégezte a szükséges műveleteket!\r"
                "Kérem állítsa be a tarifáit a \"" +
                name + "\" kapcsolatnak!";
            m_core.settledView();
            if (LocalizedMessageDlg(m_ports.dialogs, m_ports.sound, CaptionSet::Standard, text,
                                    MessageKind::Information, buttons::Ok) == results::Ok)
                m_showTariffs(name);
        }
        m_state.known = entries();
    } else if (count < stored) {
        store.WriteSetting("KapcsolatokSzama", std::to_string(stored - 1));
        m_state.entries = listed;
        m_core.changed(static_cast<Aspects>(Aspect::Phonebook));
    }
    // Settled (the count caught up, every new entry taken up), the list sleeps until the service
    // reports a change of the phonebook.
    if (m_ports.ras.reportsPhonebookChanges() && count >= stored - 1 && takenUp)
        m_core.timer(TimerId::KapcsFrissit).setDormant(true);
}

void ConnectionList::stop() {
    m_core.timer(TimerId::KapcsFrissit).setEnabled(false);
}

} // namespace vonalor
