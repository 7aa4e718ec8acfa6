// vonalorctl: the command-line twin of the desktop program over the same data home.

#include "app/ctl_commands.h"
#include "app/platform_factory.h"
#include "core/data_home.h"
#include "platform/registry.h"
#include "platform/sim/scripted_dialogs.h"
#include "settings/installation.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"

#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace vonalor;

namespace {

std::vector<CtlCommand> allCommands() {
    std::vector<CtlCommand> commands;
    for (auto group : {settingsCommands, phonebookCommands, tariffCommands, booksCommands, simulateCommands,
                       monitorCommands}) {
        for (CtlCommand& command : group())
            commands.push_back(std::move(command));
    }
    return commands;
}

std::string usageText(const std::vector<CtlCommand>& commands) {
    std::ostringstream text;
    text << "Usage: vonalorctl [--home DIR] [--platform sim|linux] COMMAND [ARGS]\n\nCommands:\n";
    for (const CtlCommand& command : commands) {
        const std::string head = command.name + (command.synopsis.empty() ? "" : " " + command.synopsis);
        if (head.size() > 26)
            text << "  " << head << "\n  " << std::string(27, ' ') << command.summary << "\n";
        else
            text << "  " << std::left << std::setw(26) << head << " " << command.summary << "\n";
    }
    text << "\nOptions:\n"
            "  --home DIR        data home (else $VONALOR_HOME, else $XDG_DATA_HOME/vonalor)\n"
            "  --platform KIND   sim (default) or linux\n"
            "  -h, --help        this text\n";
    return text.str();
}

int usage(const std::string& problem) {
    if (!problem.empty())
        std::cerr << "vonalorctl: " << problem << "\n";
    std::cerr << "Usage: vonalorctl [--home DIR] [--platform sim|linux] COMMAND [ARGS] (see --help)\n";
    return CtlUsage;
}

struct Options {
    std::optional<std::string> home;
    PlatformKind platform = PlatformKind::Sim;
    std::vector<std::string> words;
};

std::optional<Options> parseOptions(int argc, char** argv, const std::vector<CtlCommand>& commands,
                                    int& exitCode) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const std::string& name) -> std::optional<std::string> {
            const std::string prefix = name + "=";
            if (arg.rfind(prefix, 0) == 0)
                return arg.substr(prefix.size());
            if (i + 1 < argc)
                return std::string(argv[++i]);
            return std::nullopt;
        };
        if (!options.words.empty()) {
            options.words.push_back(arg); // after the command everything is its arguments
        } else if (arg == "-h" || arg == "--help") {
            std::cout << usageText(commands);
            exitCode = CtlOk;
            return std::nullopt;
        } else if (arg == "--home" || arg.rfind("--home=", 0) == 0) {
            options.home = value("--home");
            if (!options.home) {
                exitCode = usage("--home needs a folder");
                return std::nullopt;
            }
        } else if (arg == "--platform" || arg.rfind("--platform=", 0) == 0) {
            const auto text = value("--platform");
            const auto kind = text ? parsePlatformKind(*text) : std::nullopt;
            if (!kind) {
                exitCode = usage("--platform takes sim or linux");
                return std::nullopt;
            }
            options.platform = *kind;
        } else if (arg.size() > 1 && arg[0] == '-') {
            exitCode = usage("unknown option " + arg);
            return std::nullopt;
        } else {
            options.words.push_back(arg);
        }
    }
    if (options.words.empty()) {
        exitCode = usage("no command given");
        return std::nullopt;
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    // The data home keeps the books, the user name and the passwords: what the program makes
    // is the user's alone.
    ::umask(077);
    const std::vector<CtlCommand> commands = allCommands();
    int exitCode = CtlUsage;
    const std::optional<Options> options = parseOptions(argc, argv, commands, exitCode);
    if (!options)
        return exitCode;

    const std::string& name = options->words.front();
    const std::vector<std::string> arguments(options->words.begin() + 1, options->words.end());
    const CtlCommand* command = nullptr;
    for (const CtlCommand& candidate : commands) {
        if (candidate.name == name)
            command = &candidate;
    }
    if (!command)
        return usage("unknown command " + name);
    if (arguments.size() < command->minArgs || arguments.size() > command->maxArgs)
        return usage("usage: vonalorctl " + command->name + " " + command->synopsis);

    const std::filesystem::path home = resolveDataHome(options->home);
    std::string error;
    std::vector<std::filesystem::path> tightened;
    if (!prepareDataHome(home, &error, &tightened)) {
        std::cerr << "vonalorctl: " << error << "\n";
        return CtlFailure;
    }
    std::unique_ptr<Platform> platform = makePlatform(options->platform, home, &error);
    if (!platform) {
        std::cerr << "vonalorctl: " << error << "\n";
        return CtlFailure;
    }
    try {
        provisionInstallation(platform->registry());
        installSounds(home);
        if (!tightened.empty()) {
            // Most commands never write the program log, so this entry is written at once.
            ProgramLog note(platform->clock());
            note.AddProgramLogEntry(ProgramLog::Event, tightenedDataHomeText(home));
            ScriptedDialogs dialogs;
            dialogs.setEcho([](const ScriptedDialogs::Shown& shown) {
                std::cerr << "vonalorctl: " << shown.text << "\n";
            });
            note.SaveProgramLog(home / ProgramLogFileName, dialogs);
        }
        ProgramLog log(platform->clock());
        SettingsStore store(platform->registry(), log);
        CtlContext context{home, *platform, store, log, std::cout, std::cerr};
        return command->run(context, arguments);
    } catch (const CtlUsageError& e) {
        return usage(e.message);
    } catch (const ConversionError& e) {
        std::cerr << "vonalorctl: " << e.what() << "\n";
        return CtlFailure;
    } catch (const StoreError& e) {
        // A damaged store says so: its values are unknown, not empty.
        std::cerr << "vonalorctl: " << e.what() << "\n";
        return CtlFailure;
    }
}
