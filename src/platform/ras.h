#pragma once

#include <string>
#include <vector>

namespace vonalor {

struct RasDevice {
    std::string name;
    std::string type; // "modem", "isdn", "vpn", ...
    bool operator==(const RasDevice&) const = default;
};

// The system's remote-access service: its phonebook, devices and connections.
class Ras {
public:
    virtual ~Ras() = default;
    // Phonebook entry names in the system's order.
    virtual std::vector<std::string> entries() = 0;
    // Devices that can carry a remote-access connection.
    virtual std::vector<RasDevice> devices() = 0;
};

} // namespace vonalor
