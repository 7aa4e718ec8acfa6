#include "platform/linux/linux_system.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ifaddrs.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <unistd.h>

extern char** environ;

namespace vonalor {

std::vector<std::string> LinuxNet::ipv4Addresses() {
    std::vector<std::string> result;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return result;
    for (const ifaddrs* item = list; item; item = item->ifa_next) {
        if (!item->ifa_addr || item->ifa_addr->sa_family != AF_INET)
            continue;
        sockaddr_in address{};
        std::memcpy(&address, item->ifa_addr, sizeof address);
        if ((ntohl(address.sin_addr.s_addr) >> 24) == 127)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        if (::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text))
            result.emplace_back(text);
    }
    ::freeifaddrs(list);
    return result;
}

bool XdgShell::open(const std::string& target) {
    std::string program = "xdg-open";
    char* argv[] = {program.data(), const_cast<char*>(target.c_str()), nullptr};
    pid_t pid = 0;
    return ::posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0;
}

bool XdgShell::openControlPanelApplet(const std::string& applet) {
    std::vector<std::string> command;
    if (applet == "ncpa.cpl")
        command = {"nm-connection-editor"};
    else if (applet == "inetcpl.cpl" || applet == "firewall.cpl")
        command = {"gnome-control-center", "network"};
    else
        return false;
    std::vector<char*> argv;
    for (std::string& word : command)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    return ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0;
}

std::int64_t LinuxSystemInfo::uptimeSeconds() {
    std::ifstream in("/proc/uptime");
    double seconds = 0;
    if (in >> seconds)
        return static_cast<std::int64_t>(seconds);
    return 0;
}

namespace {

// Quotes a word for a desktop entry's Exec line.
std::string execQuoted(const std::string& word) {
    std::string quoted = "\"";
    for (char c : word) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

XdgAutostart::XdgAutostart(std::filesystem::path configHome, std::string programFolder,
                           std::filesystem::path dataHome)
    : m_configHome(std::move(configHome)), m_programFolder(std::move(programFolder)),
      m_dataHome(std::move(dataHome)) {}

std::filesystem::path XdgAutostart::defaultConfigHome() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return xdg;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".config";
}

bool XdgAutostart::add() {
    std::error_code ec;
    std::filesystem::create_directories(file().parent_path(), ec);
    const std::string program = (std::filesystem::path(m_programFolder) / "vonalor").string();
    const std::string text = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Vonalor\n"
                             "Comment=Internet-kapcsolatok figyelése\n"
                             "Exec=" +
                             execQuoted(program) + " --home " + execQuoted(m_dataHome.string()) +
                             "\n"
                             "X-GNOME-Autostart-enabled=true\n";
    return writeFileAtomically(file(), text);
}

bool XdgAutostart::remove() {
    std::error_code ec;
    return std::filesystem::remove(file(), ec);
}

std::optional<std::string> XdgAutostart::entry() {
    std::ifstream in(file());
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Exec=", 0) == 0)
            return line.substr(5);
    }
    return std::nullopt;
}

std::vector<std::string> PppRas::entries() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(m_peers, ec)) {
        const std::string name = item.path().filename().string();
        // Editor backups and hidden files are not peers.
        if (!item.is_regular_file(ec) || name.empty() || name.front() == '.' || name.back() == '~' ||
            name.ends_with(".bak") || name.ends_with(".dpkg-old") || name.ends_with(".dpkg-dist"))
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<RasDevice> PppRas::devices() {
    std::vector<RasDevice> result;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(m_dev, ec)) {
        const std::string name = item.path().filename().string();
        if (name.rfind("ttyACM", 0) == 0 || name.rfind("ttyUSB", 0) == 0)
            result.push_back({item.path().string(), "modem"});
    }
    std::sort(result.begin(), result.end(),
              [](const RasDevice& a, const RasDevice& b) { return a.name < b.name; });
    return result;
}

namespace {

std::string firstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::uint64_t counter(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::uint64_t value = 0;
    in >> value;
    return value;
}

} // namespace

PppRas::PppRas(std::filesystem::path peersFolder, std::filesystem::path devFolder,
               std::filesystem::path netFolder, std::filesystem::path runFolder)
    : m_peers(std::move(peersFolder)), m_dev(std::move(devFolder)), m_net(std::move(netFolder)),
      m_run(std::move(runFolder)) {
    const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0)
        return;
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_IFADDR;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return;
    }
    m_netlink = fd;
}

PppRas::~PppRas() {
    if (m_netlink >= 0)
        ::close(m_netlink);
}

void PppRas::processChanges() {
    // What changed is read from /sys at the next look; the messages only say that it did.
    char buffer[8192];
    bool any = false;
    while (m_netlink >= 0 && ::recv(m_netlink, buffer, sizeof buffer, 0) > 0)
        any = true;
    if (any)
        notifyChange();
}

std::vector<PppRas::Interface> PppRas::interfaces() {
    std::vector<Interface> result;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(m_net, ec)) {
        const std::string name = item.path().filename().string();
        if (name.rfind("ppp", 0) != 0)
            continue;
        const std::string index = firstLine(item.path() / "ifindex");
        if (index.empty() ||
            !std::all_of(index.begin(), index.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        result.push_back({name, static_cast<std::uint32_t>(std::stoul(index))});
    }
    std::sort(result.begin(), result.end(),
              [](const Interface& a, const Interface& b) { return a.index < b.index; });
    return result;
}

std::vector<RasConnection> PppRas::activeConnections() {
    std::vector<RasConnection> result;
    for (const Interface& interface : interfaces()) {
        // pppd started with a link name writes ppp-NAME.pid: the pid, then the interface.
        std::string entry = interface.name;
        std::error_code ec;
        for (const auto& item : std::filesystem::directory_iterator(m_run, ec)) {
            const std::string file = item.path().filename().string();
            if (file.rfind("ppp-", 0) != 0 || !file.ends_with(".pid"))
                continue;
            std::ifstream in(item.path());
            std::string pid, ifname;
            std::getline(in, pid);
            std::getline(in, ifname);
            if (ifname == interface.name) {
                entry = file.substr(4, file.size() - 8);
                break;
            }
        }
        result.push_back({interface.index, entry});
    }
    return result;
}

std::string PppRas::interfaceOf(std::uint32_t handle) {
    for (const Interface& interface : interfaces()) {
        if (interface.index == handle)
            return interface.name;
    }
    return {};
}

std::uint16_t PppRas::connectStatus(std::uint32_t handle) {
    const std::string name = interfaceOf(handle);
    if (name.empty())
        return rasstate::CallFailed;
    // A ppp link is up once its network protocol is; before that it is still being negotiated.
    const std::string state = firstLine(m_net / name / "operstate");
    const std::uint64_t flags = std::strtoull(firstLine(m_net / name / "flags").c_str(), nullptr, 16);
    return (state == "up" || state == "unknown") && (flags & 0x1) ? rasstate::Connected : 14;
}

RasStatistics PppRas::counters(const std::string& interfaceName) {
    RasStatistics stats;
    const std::filesystem::path dir = m_net / interfaceName / "statistics";
    stats.bytesSent = counter(dir / "tx_bytes");
    stats.bytesReceived = counter(dir / "rx_bytes");
    return stats;
}

RasStatistics PppRas::statistics(std::uint32_t handle) {
    const std::string name = interfaceOf(handle);
    if (name.empty())
        return {};
    RasStatistics stats = counters(name);
    for (const auto& [baseHandle, base] : m_baselines) {
        if (baseHandle == handle) {
            stats.bytesSent -= std::min(stats.bytesSent, base.bytesSent);
            stats.bytesReceived -= std::min(stats.bytesReceived, base.bytesReceived);
        }
    }
    return stats;
}

bool PppRas::hangUp(std::uint32_t handle) {
    // poff ends the pppd of a peer; without a known peer, the interface's pppd is ended.
    for (const RasConnection& connection : activeConnections()) {
        if (connection.handle != handle)
            continue;
        std::string program = "poff";
        std::string peer = connection.entryName;
        char* argv[] = {program.data(), peer.data(), nullptr};
        pid_t pid = 0;
        return ::posix_spawnp(&pid, "poff", nullptr, nullptr, argv, environ) == 0;
    }
    return false;
}

void PppRas::resetStatistics(std::uint32_t handle) {
    const std::string name = interfaceOf(handle);
    std::erase_if(m_baselines, [handle](const auto& entry) { return entry.first == handle; });
    if (!name.empty())
        m_baselines.emplace_back(handle, counters(name));
}

} // namespace vonalor
