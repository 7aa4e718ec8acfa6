#pragma once

// A temporary data home with a registry, virtual time, a program log and the settings store.

#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace vonalor {

struct BenchHome {
    std::filesystem::path path;
    std::unique_ptr<SqliteRegistry> registry;
    VirtualTime time;
    ProgramLog log{time};
    std::unique_ptr<SettingsStore> store;

    explicit BenchHome(const DateTime& start) : time(start) {
        std::string pattern = (std::filesystem::temp_directory_path() / "vonalor-bench-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        registry = SqliteRegistry::open(path / "registry.db");
        store = std::make_unique<SettingsStore>(*registry, log);
    }
    ~BenchHome() {
        store.reset();
        registry.reset();
        std::filesystem::remove_all(path);
    }
    BenchHome(const BenchHome&) = delete;
    BenchHome& operator=(const BenchHome&) = delete;
};

} // namespace vonalor
