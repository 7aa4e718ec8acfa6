#include "app/platform_factory.h"

#include "core/data_home.h"
#include "platform/linux/linux_system.h"
#include "platform/linux/system_clock.h"
#include "platform/sim/sim_ras.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
#include "platform/sqlite_registry.h"

namespace vonalor {

std::optional<PlatformKind> parsePlatformKind(const std::string& text) {
    if (text == "sim")
        return PlatformKind::Sim;
    if (text == "linux")
        return PlatformKind::Linux;
    return std::nullopt;
}

std::optional<Platform> makePlatform(PlatformKind kind, const std::filesystem::path& home, std::string* error) {
    if (!prepareDataHome(home, error))
        return std::nullopt;
    Platform platform;
    platform.kind = kind;
    // Both kinds keep time and settings for real; they differ in the connections, the shell
    // and the other facilities that later come through their own ports.
    platform.clock = std::make_unique<SystemClock>();
    platform.registry = SqliteRegistry::open(home / RegistryFileName, error);
    if (!platform.registry)
        return std::nullopt;
    platform.programFolder = executableFolder();
    if (kind == PlatformKind::Sim) {
        platform.ras = std::make_unique<SimRas>(home / SimRas::FileName, *platform.clock);
        platform.autostart = std::make_unique<SimAutostart>(*platform.registry, platform.programFolder);
        platform.system = std::make_unique<SimSystemInfo>();
        platform.net = std::make_unique<SimNet>();
        platform.shell = std::make_unique<RecordingShell>();
    } else {
        platform.ras = std::make_unique<PppRas>();
        platform.autostart =
            std::make_unique<XdgAutostart>(XdgAutostart::defaultConfigHome(), platform.programFolder, home);
        platform.system = std::make_unique<LinuxSystemInfo>();
        platform.net = std::make_unique<LinuxNet>();
        platform.shell = std::make_unique<XdgShell>();
    }
    return platform;
}

std::string executableFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path().string() : self.parent_path().string();
}

} // namespace vonalor
