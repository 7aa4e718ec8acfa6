// Closing a session's books from the main window's displays.

#include "core/program_core.h"

#include "core/message_dialogs.h"
#include "platform/clock.h"
#include "platform/ras.h"
#include "platform/timer_service.h"
#include "settings/connection_record.h"
#include "stats/daily_statistics.h"
#include "settings/settings_store.h"
#include "stats/billing_period.h"
#include "stats/session_books.h"
#include "stats/session_log.h"
#include "text/regional.h"

namespace vonalor {

void ProgramCore::closeSessionBooks() {
    SessionFigures session;
    session.connection = m_state.session.lbKapcsNeve;
    session.connected = m_state.session.connectedFlag;
    session.startDate = m_state.session.startDate;
    session.startTime = m_state.session.startTime;
    session.hours = m_state.duration.lbOra;
    session.minutes = m_state.duration.lbPerc;
    session.seconds = m_state.duration.lbMPerc;
    session.currentCost = m_state.cost.bookedCost;
    session.bytesSent = m_state.session.lbBajtKuld;
    session.bytesReceived = m_state.session.lbBajtFogad;
    // Whatever fails, the session is handed over exactly once: it is booked, or it waits in the
    // pending file and the failure is reported.
    for (const BookingOutcome& outcome : m_books->book(session, m_ports.clock.now()))
        reportBooking(outcome);
    changed(Aspect::Books);
}

void ProgramCore::TimerUjHonapTimer() {
    if (!TimerUjHonapStep(m_ports.store, m_ports.home, m_ports.clock, m_state.phonebook.entries))
        return;
    refreshPeriodHeader();
    changed(Aspect::Totals | Aspect::Books);
}

void ProgramCore::TimerKapcsFrissitTimer() {
    SettingsStore& store = m_ports.store;
    m_state.phonebook.known = phonebookEntries();
    const std::vector<std::string>& entries = m_state.phonebook.known;
    const auto count = static_cast<std::int32_t>(entries.size());
    const std::int32_t stored = store.readInt("KapcsolatokSzama");
    // New entries are found by name, wherever the system lists them: an entry is new when it has
    // no record yet. An entry that comes back keeps the record it had.
    std::vector<std::string> added;
    for (const std::string& entry : entries) {
        if (!hasConnectionRecord(store, entry))
            added.push_back(entry);
    }
    if (count > stored || !added.empty()) {
        if (count > stored)
            store.WriteSetting("KapcsolatokSzama", std::to_string(count));
        m_state.phonebook.entries = entries;
        changed(Aspect::Phonebook);
        for (const std::string& name : added) {
            if (!CreateConnectionRecord(store, name))
                continue; // reported by the store; tried again at the next tick
            if (!ensureDailyStatistics(m_ports.home, name, m_ports.clock.now().date))
                report(Notice::Error, "A(z) \"" + dailyStatisticsFile(m_ports.home, name).filename().string() +
                                          "\" fájl nem írható.");
            const std::string text = "Új kapcsolat lett létrehozva!A program elvégezte a szükséges műveleteket!\r"
                                     "Kérem állítsa be a tarifáit a \"" +
                                     name + "\" kapcsolatnak!";
            if (LocalizedMessageDlg(m_ports.dialogs, m_ports.sound, CaptionSet::Standard, text,
                                    MessageKind::Information, buttons::Ok) == results::Ok) {
                m_state.window.mainTab = MainTab::Tariffs;
                m_state.window.tariffChooserText = name;
                changed();
            }
        }
        m_state.phonebook.known = phonebookEntries();
    } else if (count < stored) {
        store.WriteSetting("KapcsolatokSzama", std::to_string(stored - 1));
        m_state.phonebook.entries = entries;
        changed(Aspect::Phonebook);
    }
}

void ProgramCore::stopConnectionListTimer() {
    timer(TimerId::KapcsFrissit).setEnabled(false);
}

void ProgramCore::comboTolChange(int itemIndex) {
    vonalor::comboTolChange(m_ports.store, m_ports.log, itemIndex);
    m_state.discount.billingDayIndex = itemIndex;
    refreshPeriodHeader();
    changed();
}

} // namespace vonalor
