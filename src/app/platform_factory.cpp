#include "app/platform_factory.h"

#include "core/data_home.h"
#include "platform/atomic_file.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/system_clock.h"
#include "platform/sim/sim_platform.h"
#include "platform/sqlite_registry.h"

namespace vonalor {

std::optional<PlatformKind> parsePlatformKind(const std::string& text) {
    if (text == "sim")
        return PlatformKind::Sim;
    if (text == "linux")
        return PlatformKind::Linux;
    return std::nullopt;
}

std::unique_ptr<Platform> makePlatform(PlatformKind kind, const std::filesystem::path& home,
                                       std::string* error) {
    if (!prepareDataHome(home, error))
        return nullptr;
    // Both kinds keep time and settings for real; they differ in the connections, the shell
    // and the other facilities that come through their own ports.
    std::unique_ptr<Registry> registry = SqliteRegistry::open(home / RegistryFileName, error);
    if (!registry)
        return nullptr;
    if (kind == PlatformKind::Sim)
        return std::make_unique<SimPlatform>(home, std::move(registry), std::make_unique<SystemClock>(),
                                             executableFolder());
    return std::make_unique<LinuxPlatform>(home, std::move(registry), executableFolder());
}

ScenarioLoad loadScenarioFile(Platform& platform, const std::string& file, std::string* error) {
    auto* sim = dynamic_cast<SimPlatform*>(&platform);
    if (!sim)
        return ScenarioLoad::NotSimulator;
    std::string text;
    if (!readWholeFile(file, text))
        return ScenarioLoad::Unreadable;
    return sim->simRas().loadScenario(text, error) ? ScenarioLoad::Loaded : ScenarioLoad::Invalid;
}

std::string executableFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path().string() : self.parent_path().string();
}

} // namespace vonalor
