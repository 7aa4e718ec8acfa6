#pragma once

#include "core/core_context.h"
#include "core/main_window_state.h"

#include <functional>
#include <string>
#include <vector>

namespace vonalor {

struct CorePorts;

// The phonebook as every chooser lists it, and the two-second timer that takes up new entries
// (their record, daily file and message). Owns the phonebook part of the state.
class ConnectionList {
public:
    // `showTariffs` is called when the user answers a new entry's message: its tariffs are shown.
    ConnectionList(const CorePorts& ports, CoreContext& core, PhonebookState& state,
                   std::function<void(const std::string&)> showTariffs);

    // Reads the phonebook at the window's creation.
    void load();
    void loadDevices();
    void TimerKapcsFrissitTimer();
    // The user opened the "Tarifák" tab or clicked its connection chooser: the list is no longer
    // refreshed for the rest of the run.
    void stop();

    // The system's phonebook as the program keeps it: names that cannot name a record safely, or
    // that differ from another only in letter case, are left out and reported once a run.
    std::vector<std::string> entries();
    // True when a connection of this entry is not watched (its name was refused).
    bool refused(const std::string& name) const;

private:
    const CorePorts& m_ports;
    CoreContext& m_core;
    PhonebookState& m_state;
    std::function<void(const std::string&)> m_showTariffs;
};

} // namespace vonalor
