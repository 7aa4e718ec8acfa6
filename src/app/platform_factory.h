#pragma once

#include "platform/platform.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace vonalor {

std::optional<PlatformKind> parsePlatformKind(const std::string& text);

// The one choice between the simulator and the Linux system, both on the machine's clock:
// opens the data home's registry and binds the ports of the chosen kind; null with the reason
// when the data home cannot be used. The timers, the sound and the dialogs are the caller's
// (Qt's in the desktop program, the terminal's in vonalorctl).
std::unique_ptr<Platform> makePlatform(PlatformKind kind, const std::filesystem::path& home,
                                       std::string* error);

// A scenario file for the simulator's connections, read and loaded in one step.
enum class ScenarioLoad { Loaded, NotSimulator, Unreadable, Invalid };
ScenarioLoad loadScenarioFile(Platform& platform, const std::string& file, std::string* error);

// The folder of the running executable.
std::string executableFolder();

} // namespace vonalor
