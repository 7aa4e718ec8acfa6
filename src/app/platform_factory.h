#pragma once

#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/net.h"
#include "platform/ras.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace vonalor {

enum class PlatformKind { Sim, Linux };

std::optional<PlatformKind> parsePlatformKind(const std::string& text);

// The one place that chooses the implementations of the ports.
struct Platform {
    PlatformKind kind = PlatformKind::Sim;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<Ras> ras;
    std::unique_ptr<Autostart> autostart;
    std::unique_ptr<SystemInfo> system;
    std::unique_ptr<Net> net;
    std::unique_ptr<Shell> shell;
    std::string programFolder; // the folder of the running executable
};

// Opens the data home's registry and binds the ports of the chosen kind; nullopt with the
// reason when the data home cannot be used.
std::optional<Platform> makePlatform(PlatformKind kind, const std::filesystem::path& home, std::string* error);

// The folder of the running executable.
std::string executableFolder();

} // namespace vonalor
