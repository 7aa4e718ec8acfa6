#include "stats/period_totals.h"

#include "core/core_ports.h"
#include "monitor/duration_counter.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"
#include "stats/billing_period.h"
#include "text/regional.h"

namespace vonalor {

namespace {

const char* const monthNames[] = {"Január", "Február",   "Március",    "Április", "Május",    "Június",
                                  "Július", "Augusztus", "Szeptember", "Október", "November", "December"};

// The month of a stored date from its characters 6 and 7; anything else is December.
std::string monthName(const std::string& date) {
    if (date.size() >= 7) {
        const std::string digits = date.substr(5, 2);
        for (int month = 1; month <= 11; ++month) {
            const char text[3] = {static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10),
                                  0};
            if (digits == text)
                return monthNames[month - 1];
        }
    }
    return monthNames[11];
}

std::string byteUnitValue(std::uint64_t bytes, ByteUnit unit) {
    const long double divisor = unit == ByteUnit::Mbyte   ? 1048576.0L
                                : unit == ByteUnit::Kbyte ? 1024.0L
                                                          : 1.0L;
    return Regional::hungarian().formatFloat(static_cast<long double>(bytes) / divisor);
}

// The hundred-thousandth the period total adds, read as the program's own text so it is the
// very value its decimal conversion gives.
const long double totalAddition = Regional::hungarian().toFloat("0,00001");

} // namespace

PeriodTotals::PeriodTotals(const CorePorts& ports, PeriodTotalsState& state, const SessionState& session)
    : m_ports(ports), m_state(state), m_session(session) {}

void PeriodTotals::windowCreated() {
    SettingsStore& store = m_ports.store;
    m_state.lbKezdDat = store.ReadSetting(setting::KezdoDatum);
    m_state.lbVegDat = store.ReadSetting(setting::VegDatum);
    m_state.costGroupCaption = "Nincs kapcsolat kiválasztva ";
}

void PeriodTotals::refreshPeriodHeader() {
    SettingsStore& store = m_ports.store;
    m_state.lbKezdDat = store.ReadSettingQuiet(setting::KezdoDatum);
    m_state.lbVegDat = store.ReadSettingQuiet(setting::VegDatum);
    m_state.lbHonap = monthName(m_state.lbKezdDat);
    m_state.byteUnitsEnabled =
        !m_state.costChooserText.empty() || m_session.lbKapcsAllap != "Nincs Kapcsolat";
}

void PeriodTotals::loadTotalsOnce(const std::string& connection) {
    if (m_state.lbOsszKoltseg != "0")
        return;
    SettingsStore& store = m_ports.store;
    m_state.lbOsszKoltseg = store.ReadSetting(connection + "OsszKoltseg");
    m_state.lbOsszOra = store.ReadSetting(connection + "OsszOra");
    m_state.lbOsszPerc = store.ReadSetting(connection + "OsszPerc");
    m_state.lbOsszMPerc = store.ReadSetting(connection + "OsszMPerc");
}

void PeriodTotals::showRunning(const std::string& connection, const std::string& sessionCost,
                               const std::vector<std::string>& phonebook) {
    SettingsStore& store = m_ports.store;
    const Regional& regional = Regional::hungarian();
    m_state.lbOsszKoltseg = TwoDecimals(regional.formatFloat(store.readFloat(connection + "OsszKoltseg") +
                                                             regional.toFloat(sessionCost) + totalAddition));

    // The period's traffic on the cost page: the stored totals plus this session's.
    if (m_session.lbBajtKuld != "0")
        m_state.lbOsszKuldBajt = GroupThousands(byteUnitValue(
            digitsOnly(m_session.lbBajtKuld) + digitsOnly(store.ReadSetting(connection + "KuldottBajt")),
            m_state.byteUnit));
    if (m_session.lbBajtFogad != "0")
        m_state.lbOsszFogadBajt = GroupThousands(byteUnitValue(
            digitsOnly(m_session.lbBajtFogad) + digitsOnly(store.ReadSetting(connection + "FogadottBajt")),
            m_state.byteUnit));

    long double bill = 0;
    for (const std::string& entry : phonebook)
        bill += store.readFloat(entry + "OsszKoltseg");
    m_state.lbszamla = regional.formatFloat(bill + regional.toFloat(sessionCost));
}

void PeriodTotals::secondCounted() {
    DurationCounter::advanceClock(m_state.lbOsszOra, m_state.lbOsszPerc, m_state.lbOsszMPerc);
}

void PeriodTotals::sessionEnded() {
    m_state.costChooserText.clear();
    m_state.lbOsszOra = m_state.lbOsszPerc = m_state.lbOsszMPerc = "00";
    m_state.lbOsszKoltseg = "0";
    m_state.lbOsszKuldBajt = "0";
    m_state.lbOsszFogadBajt = "0";
    m_state.lbszamla = "0";
}

bool PeriodTotals::TimerUjHonapTimer(const std::vector<std::string>& phonebook) {
    const bool closed = closeDuePeriod(m_ports.store, m_ports.home, m_ports.clock, phonebook);
    refreshPeriodHeader();
    return closed;
}

} // namespace vonalor
