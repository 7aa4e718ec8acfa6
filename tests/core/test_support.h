#pragma once

#include "platform/sim/scripted_dialogs.h"
#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace vonalor::test {

// A fresh data home in the temporary folder, removed afterwards.
class TempHome {
public:
    TempHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vonalor-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempHome() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
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

} // namespace vonalor::test
