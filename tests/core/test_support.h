#pragma once

#include "platform/sim/scripted_dialogs.h"
#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "platform/temporary_folder.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace vonalor::test {

// A fresh data home in the temporary folder, removed afterwards.
class TempHome {
public:
    TempHome() : m_folder("vonalor-test") {
        if (m_folder.path().empty())
            throw std::runtime_error("no temporary folder");
    }

    const std::filesystem::path& path() const { return m_folder.path(); }
    std::filesystem::path operator/(const std::string& name) const { return path() / name; }

private:
    TemporaryFolder m_folder;
};

// The program's collaborators on a temporary home, virtual time and scripted dialogs.
struct CoreFixture : ::testing::Test {
    TempHome home;
    VirtualTime time{DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}}};
    ScriptedDialogs dialogs;
    std::unique_ptr<SqliteRegistry> registry = SqliteRegistry::open(home / "registry.db");
    ProgramLog log{time};
    SettingsStore store{*registry, log};

    std::vector<std::string> logTexts() const {
        std::vector<std::string> texts;
        for (const auto& row : log.entries())
            texts.push_back(row.subItems.empty() ? std::string() : row.subItems.front());
        return texts;
    }
};

std::string readFile(const std::filesystem::path& file);
// Stores a setting's text straight in a data home's registry, past the checks of vonalorctl set:
// what an older version, a hand edit or damage may have left.
void storeRaw(const std::filesystem::path& home, const std::string& name, const std::string& text);
void writeFile(const std::filesystem::path& file, const std::string& bytes);

// Runs a command line, returns its exit code and what it printed on standard output.
struct CommandResult {
    int exitCode = -1;
    std::string out;
};
CommandResult runCommand(const std::string& commandLine);
std::string shellQuote(const std::string& text);

// vonalorctl on a data home, as its own process: the exit code and the process are part of
// what the tests look at. `out` holds what the streams asked for.
enum class CtlStreams {
    Out,          // standard output; standard error is dropped
    OutAndErrors, // both, as they come
    ErrorsOnly,   // standard error alone
};
CommandResult runCtl(const std::filesystem::path& home, const std::string& arguments,
                     CtlStreams streams = CtlStreams::Out);

} // namespace vonalor::test
