#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vonalor {

// The folder that holds everything that outlives a run: the registry database, the logs,
// the lists. Chosen by --home, else VONALOR_HOME, else $XDG_DATA_HOME/vonalor
// (~/.local/share/vonalor).
std::filesystem::path resolveDataHome(const std::optional<std::string>& option);

// Creates the folder when missing (0700); false (with the reason) when it cannot be used.
// The books, the user name and the passwords live there, so an existing folder and what is in
// it lose their group and other permissions; `tightened` gets every item that was changed.
bool prepareDataHome(const std::filesystem::path& home, std::string* error,
                     std::vector<std::filesystem::path>* tightened = nullptr);

// The program log's text for a data home whose permissions were tightened.
std::string tightenedDataHomeText(const std::filesystem::path& home);

inline constexpr const char* RegistryFileName = "registry.db";
inline constexpr const char* LockFileName = "vonalor.lock";
inline constexpr const char* TaskListFileName = "Feladatok.sav";
inline constexpr const char* ProgramLogFileName = "ProgramNaplo.sav";

} // namespace vonalor
