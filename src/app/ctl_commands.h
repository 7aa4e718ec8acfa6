#pragma once

#include "app/platform_factory.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace vonalor {

class ProgramLog;
class SettingsStore;

// What a vonalorctl command works with.
struct CtlContext {
    std::filesystem::path home;
    Platform& platform;
    SettingsStore& store;
    ProgramLog& log;
    std::ostream& out;
    std::ostream& err;
};

inline constexpr int CtlOk = 0;
inline constexpr int CtlFailure = 1;
inline constexpr int CtlUsage = 2;

// Thrown by a command for a usage error (exit 2) with its message.
struct CtlUsageError {
    std::string message;
};

struct CtlCommand {
    std::string name;
    std::string synopsis; // arguments as the help text shows them
    std::string summary;
    std::size_t minArgs = 0;
    std::size_t maxArgs = 0;
    std::function<int(CtlContext&, const std::vector<std::string>&)> run;
};

// Each group of commands lives in its own ctl_*.cpp.
std::vector<CtlCommand> settingsCommands();
std::vector<CtlCommand> tariffCommands();
std::vector<CtlCommand> phonebookCommands();
std::vector<CtlCommand> booksCommands();
std::vector<CtlCommand> simulateCommands();
std::vector<CtlCommand> monitorCommands();

} // namespace vonalor
