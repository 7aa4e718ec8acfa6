#include "platform/linux/linux_system.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace vonalor {

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
    : m_configHome(std::move(configHome)), m_programFolder(std::move(programFolder)), m_dataHome(std::move(dataHome)) {}

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
    std::sort(result.begin(), result.end(), [](const RasDevice& a, const RasDevice& b) { return a.name < b.name; });
    return result;
}

} // namespace vonalor
