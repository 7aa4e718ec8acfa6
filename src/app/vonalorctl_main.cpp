// vonalorctl: the command-line twin of the desktop program over the same data home.

#include "app/platform_factory.h"
#include "core/data_home.h"
#include "settings/installation.h"
#include "settings/settings_store.h"
#include "tasks/list_view_file.h"
#include "platform/atomic_file.h"
#include "tasks/program_log.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

using namespace vonalor;

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

const char* const usageText =
    "Usage: vonalorctl [--home DIR] [--platform sim|linux] COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  get NAME             print a setting's text (exit 1 when it does not exist)\n"
    "  set NAME TEXT        store a setting\n"
    "  values               every setting in creation order, as name|text lines\n"
    "  program-log          the program log file: time stamp, icon, text (tab-separated)\n"
    "  dump-list FILE       any list file: image number, caption, sub-items (tab-separated)\n"
    "\n"
    "Options:\n"
    "  --home DIR           data home (else $VONALOR_HOME, else $XDG_DATA_HOME/vonalor)\n"
    "  --platform KIND      sim (default) or linux\n"
    "  -h, --help           this text\n";

int usage(const std::string& problem) {
    if (!problem.empty())
        std::cerr << "vonalorctl: " << problem << "\n";
    std::cerr << "Usage: vonalorctl [--home DIR] [--platform sim|linux] COMMAND [ARGS] (see --help)\n";
    return ExitUsage;
}

struct Options {
    std::optional<std::string> home;
    PlatformKind platform = PlatformKind::Sim;
    std::vector<std::string> words;
};

std::optional<Options> parseOptions(int argc, char** argv, int& exitCode) {
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
            std::cout << usageText;
            exitCode = ExitOk;
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

// Reads a list file for printing; an error line and nullopt when it is missing or foreign.
std::optional<ListRows> readListFile(const std::filesystem::path& file) {
    std::string bytes;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) || !readWholeFile(file, bytes)) {
        std::cerr << "vonalorctl: " << file.string() << ": no such file\n";
        return std::nullopt;
    }
    DecodedList decoded = decodeListViewFile(bytes);
    if (!decoded.markerOk) {
        std::cerr << "vonalorctl: " << file.string() << ": not a list file (it does not begin with LVF)\n";
        return std::nullopt;
    }
    if (!decoded.complete)
        std::cerr << "vonalorctl: " << file.string() << ": the file ends before its last row\n";
    return std::move(decoded.rows);
}

class Commands {
public:
    Commands(const std::filesystem::path& home, Platform& platform)
        : m_home(home), m_platform(platform), m_log(*platform.clock), m_store(*platform.registry, m_log) {}

    int run(const std::vector<std::string>& words) {
        const std::string& command = words[0];
        const std::size_t argc = words.size() - 1;
        if (command == "get" && argc == 1)
            return get(words[1]);
        if (command == "set" && argc == 2)
            return set(words[1], words[2]);
        if (command == "values" && argc == 0)
            return values();
        if (command == "program-log" && argc == 0)
            return printList(m_home / ProgramLogFileName, true);
        if (command == "dump-list" && argc == 1)
            return printList(words[1], false);
        static const char* const known[] = {"get", "set", "values", "program-log", "dump-list"};
        for (const char* name : known) {
            if (command == name)
                return usage("wrong number of arguments for " + command);
        }
        return usage("unknown command " + command);
    }

private:
    int get(const std::string& name) {
        const Registry::ReadResult result = m_platform.registry->read(RegistryRoot::LocalMachine, ProgramKey, name);
        if (result.status != Registry::Status::Found) {
            std::cerr << "vonalorctl: no setting named " << name << "\n";
            return ExitFailure;
        }
        std::cout << result.text << "\n";
        return ExitOk;
    }

    int set(const std::string& name, const std::string& text) {
        if (!m_platform.registry->write(RegistryRoot::LocalMachine, ProgramKey, name, text)) {
            std::cerr << "vonalorctl: cannot write the setting store in " << m_home.string() << "\n";
            return ExitFailure;
        }
        return ExitOk;
    }

    int values() {
        for (const auto& [name, text] : m_platform.registry->values(RegistryRoot::LocalMachine, ProgramKey))
            std::cout << name << "|" << text << "\n";
        return ExitOk;
    }

    int printList(const std::filesystem::path& file, bool programLog) {
        const auto rows = readListFile(file);
        if (!rows)
            return ExitFailure;
        for (const ListRow& row : *rows) {
            if (programLog) {
                std::cout << row.caption << "\t" << row.imageIndex;
            } else {
                std::cout << row.imageIndex << "\t" << row.caption;
            }
            for (const std::string& sub : row.subItems)
                std::cout << "\t" << sub;
            std::cout << "\n";
        }
        return ExitOk;
    }

    std::filesystem::path m_home;
    Platform& m_platform;
    ProgramLog m_log;
    SettingsStore m_store;
};

} // namespace

int main(int argc, char** argv) {
    int exitCode = ExitUsage;
    const std::optional<Options> options = parseOptions(argc, argv, exitCode);
    if (!options)
        return exitCode;

    const std::filesystem::path home = resolveDataHome(options->home);
    std::string error;
    std::optional<Platform> platform = makePlatform(options->platform, home, &error);
    if (!platform) {
        std::cerr << "vonalorctl: " << error << "\n";
        return ExitFailure;
    }
    provisionInstallation(*platform->registry);
    return Commands(home, *platform).run(options->words);
}
