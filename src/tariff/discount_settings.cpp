#include "tariff/discount_settings.h"

#include "core/core_ports.h"
#include "platform/sound.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"
#include "settings/value_rules.h"
#include "text/regional.h"

namespace vonalor {

DiscountSettings::DiscountSettings(const CorePorts& ports, CoreContext& core, DiscountState& state,
                                   const SessionState& session)
    : m_ports(ports), m_core(core), m_state(state), m_session(session) {}

void DiscountSettings::load() {
    SettingsStore& store = m_ports.store;
    m_state.checkKedvChecked = store.readFlag(setting::MatavFele);
    m_state.checkJelezChecked = store.readFlag(setting::Jelezzen);
    m_state.chbKedvHangChecked = store.readFlag(setting::KedvHang);
    m_state.CheckJelezOraChecked = store.readFlag(setting::JelezzenOrat);
    enableControls();
    const auto billingDay = Regional::hungarian().parseInt(store.ReadSetting(setting::DatumTolIg));
    m_state.billingDayIndex = billingDay && *billingDay >= 1 && *billingDay <= 28 ? *billingDay - 1 : -1;
    m_core.changed(AllAspects);
}

void DiscountSettings::enableControls() {
    const bool active = m_session.lbKapcsAllap != "Nincs Kapcsolat";
    m_state.discountMoneyEnabled = m_state.checkKedvChecked && !active;
    m_state.discountHoursEnabled = m_state.CheckJelezOraChecked && !active;
    m_state.warningOptionsEnabled = m_state.checkKedvChecked || m_state.CheckJelezOraChecked;
}

void DiscountSettings::storeCheckBox(bool& box, const char* setting, bool checked) {
    box = checked;
    m_ports.store.WriteSetting(setting, checked ? "1" : "0");
    enableControls();
    m_core.changed(AllAspects);
}

void DiscountSettings::checkKedvClick(bool checked) {
    storeCheckBox(m_state.checkKedvChecked, "MatavFele", checked);
}

void DiscountSettings::CheckJelezOraClick(bool checked) {
    storeCheckBox(m_state.CheckJelezOraChecked, "JelezzenOrat", checked);
}

void DiscountSettings::checkJelezClick(bool checked) {
    storeCheckBox(m_state.checkJelezChecked, "Jelezzen", checked);
}

void DiscountSettings::chbKedvHangClick(bool checked) {
    storeCheckBox(m_state.chbKedvHangChecked, "KedvHang", checked);
}

std::string DiscountSettings::comboKedvKapcsChange(const std::string& connection) {
    return m_ports.store.ReadSetting(connection + "KedvErteke");
}

std::string DiscountSettings::ComboKedvOraKapcsChange(const std::string& connection) {
    return m_ports.store.ReadSetting(connection + "KedvOraErteke");
}

bool DiscountSettings::edKedvChange(const std::string& connection, const std::string& text) {
    if (connection.empty())
        return false;
    // Only an amount the books can hold is stored: a pasted "1,2,3" or "1E20" is not, and an
    // emptied field means no allowance.
    const std::string amount = text.empty() ? "0" : text;
    if (!valueProblem(ValueKind::Amount, amount).empty())
        return false;
    return m_ports.store.WriteSetting(connection + "KedvErteke", amount);
}

void DiscountSettings::edKedvExit(const std::string& text) {
    // The task editor offers this as the trigger value of "Ha lejár a kedvezmény".
    m_ports.store.WriteSetting("KedvErteke", text);
}

void DiscountSettings::SpinEdit1Change(const std::string& connection, int hours) {
    if (!connection.empty())
        m_ports.store.WriteSetting(connection + "KedvOraErteke", std::to_string(hours));
}

void DiscountSettings::playAllowanceSound() {
    m_ports.sound.playFile((m_ports.home / "Lejart.wav").string(), true);
}

void DiscountSettings::sessionConnected() {
    m_state.discountMoneyEnabled = false;
    m_state.discountHoursEnabled = false;
}

void DiscountSettings::sessionEnded() {
    SettingsStore& store = m_ports.store;
    m_state.discountMoneyEnabled = store.readFlag(setting::MatavFele);
    m_state.discountHoursEnabled = store.readFlag(setting::JelezzenOrat);
}

} // namespace vonalor
