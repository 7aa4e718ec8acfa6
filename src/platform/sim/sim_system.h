#pragma once

#include "platform/autostart.h"
#include "platform/registry.h"
#include "platform/system_info.h"

#include <string>

namespace vonalor {

// The simulated system's uptime: settable, an hour by default so the main window stays up.
class SimSystemInfo final : public SystemInfo {
public:
    std::int64_t uptimeSeconds() override { return m_uptime; }
    void setUptimeSeconds(std::int64_t seconds) { m_uptime = seconds; }

private:
    std::int64_t m_uptime = 3600;
};

// The simulated autostart list: the value "Vonalor" of the system's Run key, whose data is
// the program's folder followed by "Vonalor.exe".
class SimAutostart final : public Autostart {
public:
    SimAutostart(Registry& registry, std::string programFolder)
        : m_registry(registry), m_programFolder(std::move(programFolder)) {}

    bool add() override;
    bool remove() override;
    std::optional<std::string> entry() override;

    static constexpr const char* RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

private:
    Registry& m_registry;
    std::string m_programFolder;
};

} // namespace vonalor
