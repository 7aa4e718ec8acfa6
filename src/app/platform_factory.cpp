#include "app/platform_factory.h"

#include "core/data_home.h"
#include "platform/linux/system_clock.h"
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
    return platform;
}

} // namespace vonalor
