#pragma once

#include "core/core_context.h"
#include "core/main_window_state.h"

#include <string>

namespace vonalor {

struct CorePorts;

// The "Kedvezmény" group of the "Konfiguráció" page (allowances of money and of hours, the
// warning and its sound) and the billing day it shows. Check boxes store their value the
// moment they are clicked. Owns the discount part of the state.
class DiscountSettings {
public:
    DiscountSettings(const CorePorts& ports, CoreContext& core, DiscountState& state,
                     const SessionState& session);

    void load();
    void checkKedvClick(bool checked);
    void CheckJelezOraClick(bool checked);
    void checkJelezClick(bool checked);
    void chbKedvHangClick(bool checked);
    // A connection chosen in comboKedvKapcs / ComboKedvOraKapcs: the field shows its allowance.
    std::string comboKedvKapcsChange(const std::string& connection);
    std::string ComboKedvOraKapcsChange(const std::string& connection);
    // True when the text was stored: only an amount the books can hold is.
    bool edKedvChange(const std::string& connection, const std::string& text);
    void edKedvExit(const std::string& text);
    void SpinEdit1Change(const std::string& connection, int hours);
    void playAllowanceSound();
    void billingDayChosen(int itemIndex) { m_state.billingDayIndex = itemIndex; }

    // During a session the allowances of connections stay locked.
    void sessionConnected();
    void sessionEnded();

private:
    void enableControls();
    void storeCheckBox(bool& box, const char* setting, bool checked);

    const CorePorts& m_ports;
    CoreContext& m_core;
    DiscountState& m_state;
    const SessionState& m_session;
};

} // namespace vonalor
