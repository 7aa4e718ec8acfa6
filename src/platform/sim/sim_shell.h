#pragma once

#include "platform/net.h"
#include "platform/shell.h"

#include <string>
#include <vector>

namespace vonalor {

// Records what the program asked the shell to open.
class RecordingShell final : public Shell {
public:
    bool open(const std::string& target) override {
        m_opened.push_back(target);
        return true;
    }
    bool openControlPanelApplet(const std::string& applet) override {
        m_opened.push_back("rundll32.exe shell32.dll,Control_RunDLL " + applet);
        return true;
    }
    const std::vector<std::string>& opened() const { return m_opened; }

private:
    std::vector<std::string> m_opened;
};

// The simulated host's addresses: fixed.
class SimNet final : public Net {
public:
    std::vector<std::string> ipv4Addresses() override { return m_addresses; }
    void setAddresses(std::vector<std::string> addresses) { m_addresses = std::move(addresses); }

private:
    std::vector<std::string> m_addresses{"192.168.1.10", "10.64.12.7"};
};

} // namespace vonalor
