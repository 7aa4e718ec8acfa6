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

void ProgramCore::TimerKapcsFrissitTimer() {
    SettingsStore& store = m_ports.store;
    m_state.knownEntries = m_ports.ras.entries();
    const std::vector<std::string>& entries = m_state.knownEntries;
    const auto count = static_cast<std::int32_t>(entries.size());
    const std::int32_t stored = Regional::hungarian().toInt(store.ReadSetting("KapcsolatokSzama"));
    if (count > stored) {
        store.WriteSetting("KapcsolatokSzama", std::to_string(count));
        // The first position where the list differs from the one shown, else the last entry.
        std::string name = entries.back();
        for (std::size_t i = 0; i < m_state.phonebook.size() && i < entries.size(); ++i) {
            if (m_state.phonebook[i] != entries[i]) {
                name = entries[i];
                break;
            }
        }
        m_state.phonebook = entries;
        if (m_view)
            m_view->phonebookChanged();
        CreateConnectionRecord(store, name);
        CreateDailyStatistics(m_ports.home, name, m_ports.clock.now().date);
        const std::string text = "Új kapcsolat lett létrehozva!A program elvégezte a szükséges műveleteket!\r"
                                 "Kérem állítsa be a tarifáit a \"" +
                                 name + "\" kapcsolatnak!";
        if (LocalizedMessageDlg(m_ports.dialogs, m_ports.sound, CaptionSet::Standard, text, MessageKind::Information,
                                buttons::Ok) == results::Ok) {
            m_state.mainTab = 1;
            m_state.tariffChooserText = name;
            changed();
        }
        m_state.knownEntries = m_ports.ras.entries();
    } else if (count < stored) {
        store.WriteSetting("KapcsolatokSzama", std::to_string(stored - 1));
        m_state.phonebook = entries;
        if (m_view)
            m_view->phonebookChanged();
    }
}

void ProgramCore::stopConnectionListTimer() {
    timer("TimerKapcsFrissit").setEnabled(false);
}

void ProgramCore::comboTolChange(int itemIndex) {
    vonalor::comboTolChange(m_ports.store, m_ports.log, itemIndex);
    m_state.billingDayIndex = itemIndex;
    refreshPeriodHeader();
    changed();
}

} // namespace vonalor
