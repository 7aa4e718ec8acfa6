#include "companion/companion_figures.h"

#include "core/core_ports.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"
#include "text/regional.h"

namespace vonalor {

CompanionFigures::CompanionFigures(const CorePorts& ports, CoreContext& core, CompanionState& state)
    : m_ports(ports), m_core(core), m_state(state) {}

void CompanionFigures::load() {
    const std::string figures = m_ports.store.ReadSetting(setting::KiseroJelOssz);
    if (figures == "1")
        m_state.rdbtnJelenChecked = true;
    else if (figures == "2")
        m_state.rdbtnOsszChecked = true;
}

int CompanionFigures::placement(const char* name, int fallback) {
    const std::string text = m_ports.store.ReadSetting(name);
    if (const auto value = Regional::hungarian().parseInt(text))
        return *value;
    m_core.noteBadSetting(name, text, std::to_string(fallback));
    return fallback;
}

bool CompanionFigures::sessionConnected() {
    SettingsStore& store = m_ports.store;
    bool shown = false;
    if (store.readFlag(setting::KiseroAblak) && !store.readNotOff(setting::Elrejtes)) {
        // A value that only places a window never stops the session's books.
        m_state.left = placement("KiseroBal", 40);
        m_state.top = placement("KiseroTop", 40);
        m_state.shown = true;
        shown = true;
    }
    m_state.dialItemsEnabled = false;
    return shown;
}

void CompanionFigures::secondCounted(const DurationState& duration, const CostState& cost,
                                     const PeriodTotalsState& totals) {
    const std::string figures = m_ports.store.ReadSetting(setting::KiseroJelOssz);
    if (figures == "1") {
        m_state.cost = cost.lbJelenKoltseg;
        m_state.hours = duration.lbOra;
        m_state.minutes = duration.lbPerc;
        m_state.seconds = duration.lbMPerc;
    } else if (figures == "2") {
        m_state.cost = totals.lbOsszKoltseg;
        m_state.hours = totals.lbOsszOra;
        m_state.minutes = totals.lbOsszPerc;
        m_state.seconds = totals.lbOsszMPerc;
    }
}

void CompanionFigures::sessionEnded() {
    m_state.dialItemsEnabled = true;
    m_state.cost = "0";
    m_state.hours = m_state.minutes = m_state.seconds = "00";
    m_state.name = "   ----   ";
    if (m_ports.store.readNotOff(setting::KiseroAblak))
        m_state.left = 2000;
}

} // namespace vonalor
