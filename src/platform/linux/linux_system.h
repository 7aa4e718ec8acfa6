#pragma once

#include "platform/autostart.h"
#include "platform/net.h"
#include "platform/ras.h"
#include "platform/shell.h"
#include "platform/system_info.h"

#include <filesystem>
#include <string>

namespace vonalor {

// The host's IPv4 addresses from getifaddrs, loopback left out.
class LinuxNet final : public Net {
public:
    std::vector<std::string> ipv4Addresses() override;
};

// Opens documents and addresses with xdg-open.
class XdgShell final : public Shell {
public:
    bool open(const std::string& target) override;
    // The desktop's network tools stand in for the applets.
    bool openControlPanelApplet(const std::string& applet) override;
};

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

// Dial-up on Linux: the pppd peers are the phonebook, serial modems the devices, the ppp
// network interfaces the active connections (named by the peer whose pid file names the
// interface), their kernel counters the statistics.
class PppRas final : public Ras {
public:
    explicit PppRas(std::filesystem::path peersFolder = "/etc/ppp/peers",
                    std::filesystem::path devFolder = "/dev",
                    std::filesystem::path netFolder = "/sys/class/net",
                    std::filesystem::path runFolder = "/run");
    ~PppRas() override;
    PppRas(const PppRas&) = delete;
    PppRas& operator=(const PppRas&) = delete;

    // The kernel reports links and addresses coming and going on a netlink socket.
    bool reportsChanges() const override { return m_netlink >= 0; }
    int changeDescriptor() const override { return m_netlink; }
    void processChanges() override;

    std::vector<std::string> entries() override;
    std::vector<RasDevice> devices() override;
    std::vector<RasConnection> activeConnections() override;
    std::uint16_t connectStatus(std::uint32_t handle) override;
    RasStatistics statistics(std::uint32_t handle) override;
    void resetStatistics(std::uint32_t handle) override;
    bool hangUp(std::uint32_t handle) override;

private:
    struct Interface {
        std::string name;
        std::uint32_t index = 0;
    };
    std::vector<Interface> interfaces();
    std::string interfaceOf(std::uint32_t handle);
    RasStatistics counters(const std::string& interfaceName);

    std::filesystem::path m_peers;
    std::filesystem::path m_dev;
    std::filesystem::path m_net;
    std::filesystem::path m_run;
    std::vector<std::pair<std::uint32_t, RasStatistics>> m_baselines;
    int m_netlink = -1;
};

} // namespace vonalor
