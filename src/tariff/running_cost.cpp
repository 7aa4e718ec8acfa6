// The running cost: the session's one-second cost step and the tariff timer.

#include "tariff/running_cost.h"

#include "core/core_ports.h"
#include "platform/clock.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"
#include "settings/value_rules.h"
#include "tariff/interval_cost.h"
#include "tariff/tariff_bands.h"
#include "text/conversion_error.h"
#include "text/regional.h"

namespace vonalor {

namespace {

// The hundred-billionth each step adds, read as the program's own text so it is the very value
// its decimal conversion gives.
const long double stepAddition = Regional::hungarian().toFloat("0,00000000001");

} // namespace

RunningCost::RunningCost(const CorePorts& ports, CostState& state, const SessionState& session,
                         const DurationState& duration)
    : m_ports(ports), m_state(state), m_session(session), m_duration(duration) {}

void RunningCost::showFee() {
    SettingsStore& store = m_ports.store;
    const std::string& name = m_session.connectionName;
    if (store.ReadSetting(name + "VanKapcsDij") == "1")
        m_state.lbJelenKoltseg = store.ReadSetting(name + "KapcsDijErteke");
}

void RunningCost::step() {
    SettingsStore& store = m_ports.store;
    const Regional& regional = Regional::hungarian();
    const std::string& name = m_session.connectionName;

    const DateTime now = m_ports.clock.now();
    const TimeOfDay start{now.time.hour, now.time.minute, now.time.second, 0};
    const DateTime next = fromEpochMs(toEpochMs(DateTime{now.date, start}) + 1000);
    const std::string cost =
        IntervalCost(store, name, m_ports.clock, regional.formatTime(start), regional.formatTime(next.time));

    m_state.runningCost =
        regional.formatFloat(regional.toFloat(cost) + regional.toFloat(m_state.runningCost) + stepAddition);

    if (m_duration.lbOra == "00" && m_duration.lbPerc == "00" && m_duration.lbMPerc == "59")
        m_state.runningCost = store.ReadSetting(name + m_state.tariffName);

    if (store.ReadSetting(name + "VanKapcsDij") == "1")
        m_state.lbJelenKoltseg = TwoDecimals(regional.formatFloat(store.readFloat(name + "KapcsDijErteke") +
                                                                  regional.toFloat(m_state.runningCost)));
    else
        m_state.lbJelenKoltseg = TwoDecimals(m_state.runningCost);
    m_state.bookedCost = m_state.lbJelenKoltseg;
}

void RunningCost::firstMinuteDisplay() {
    if (m_duration.lbOra == "00" && m_duration.lbPerc == "01" && m_duration.lbMPerc == "00")
        m_state.lbJelenKoltseg = m_ports.store.ReadSetting(m_session.connectionName + m_state.tariffName);
}

void RunningCost::takeTariff() {
    m_state.tariffName = CurrentTariffName(m_ports.clock.now());
}

std::optional<std::string> RunningCost::moneyAlarm(const PeriodTotalsState& totals) {
    SettingsStore& store = m_ports.store;
    const Regional& regional = Regional::hungarian();
    const std::string& name = m_session.connectionName;
    // The money allowance is read only while it is switched on; it may hold decimals ("2,5").
    if (!store.readFlag(setting::MatavFele))
        return std::nullopt;
    const std::string valueName = name + "KedvErteke";
    const std::string allowance = store.ReadSetting(valueName);
    if (std::string problem = valueProblem(ValueKind::Amount, allowance); !problem.empty())
        throw ConversionError(problem, valueName, allowance);
    const long double amount = regional.toFloat(allowance);
    if (regional.toFloat(totals.lbOsszKoltseg) >= amount && amount > 0 && store.readFlag(setting::Jelezzen) &&
        !m_state.moneyWarningGiven) {
        m_state.moneyWarningGiven = true;
        return "Lejárt a \"" + name + "\" által biztosított " + allowance + " Ft.";
    }
    return std::nullopt;
}

std::optional<std::string> RunningCost::hoursAlarm(const PeriodTotalsState& totals) {
    SettingsStore& store = m_ports.store;
    const std::string hours = store.ReadSetting(m_session.connectionName + "KedvOraErteke");
    const std::string& total = totals.lbOsszOra;
    const bool hoursMatch = !total.empty() && total.front() == '0' ? total == "0" + hours : total == hours;
    if (hoursMatch && totals.lbOsszPerc == "00" && totals.lbOsszMPerc == "00" &&
        store.readFlag(setting::Jelezzen) && hours != "0")
        return "Lejárt a " + hours + " óra.";
    return std::nullopt;
}

void RunningCost::ended() {
    m_state.runningCost = "0";
    m_state.tariffName.clear();
    m_state.lbJelenKoltseg = "0";
    m_state.bookedCost = "0";
}

} // namespace vonalor
