#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vonalor {

// The folder that holds everything that outlives a run: the registry database, the logs,
// the lists. Chosen by --home, else VONALOR_HOME, else $XDG_DATA_HOME/vonalor
// (~/.local/share/vonalor).
std::filesystem::path resolveDataHome(const std::optional<std::string>& option);

// Creates the folder when missing; false (with the reason) when it cannot be used.
bool prepareDataHome(const std::filesystem::path& home, std::string* error);

inline constexpr const char* RegistryFileName = "registry.db";
inline constexpr const char* LockFileName = "vonalor.lock";
inline constexpr const char* TaskListFileName = "Feladatok.sav";
inline constexpr const char* ProgramLogFileName = "ProgramNaplo.sav";

} // namespace vonalor
