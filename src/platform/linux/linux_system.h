#pragma once

#include "platform/autostart.h"
#include "platform/ras.h"
#include "platform/system_info.h"

#include <filesystem>
#include <string>

namespace vonalor {

// Uptime from /proc/uptime.
class LinuxSystemInfo final : public SystemInfo {
public:
    std::int64_t uptimeSeconds() override;
};

// The XDG autostart entry: $XDG_CONFIG_HOME/autostart/vonalor.desktop, starting the
// program from its folder on the same data home.
class XdgAutostart final : public Autostart {
public:
    XdgAutostart(std::filesystem::path configHome, std::string programFolder, std::filesystem::path dataHome);

    bool add() override;
    bool remove() override;
    std::optional<std::string> entry() override;

    // $XDG_CONFIG_HOME, else ~/.config.
    static std::filesystem::path defaultConfigHome();

private:
    std::filesystem::path file() const { return m_configHome / "autostart" / "vonalor.desktop"; }
    std::filesystem::path m_configHome;
    std::string m_programFolder;
    std::filesystem::path m_dataHome;
};

// Dial-up on Linux: the pppd peers are the phonebook, serial modems the devices.
class PppRas final : public Ras {
public:
    explicit PppRas(std::filesystem::path peersFolder = "/etc/ppp/peers", std::filesystem::path devFolder = "/dev")
        : m_peers(std::move(peersFolder)), m_dev(std::move(devFolder)) {}

    std::vector<std::string> entries() override;
    std::vector<RasDevice> devices() override;

private:
    std::filesystem::path m_peers;
    std::filesystem::path m_dev;
};

} // namespace vonalor
