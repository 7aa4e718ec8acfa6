#pragma once

// A temporary data home with a registry, virtual time, a program log and the settings store.

#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "platform/temporary_folder.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vonalor {

struct BenchHome {
    TemporaryFolder folder{"vonalor-bench"};
    std::filesystem::path path = folder.path();
    std::unique_ptr<SqliteRegistry> registry;
    VirtualTime time;
    ProgramLog log{time};
    std::unique_ptr<SettingsStore> store;

    explicit BenchHome(const DateTime& start) : time(start) {
        registry = SqliteRegistry::open(path / "registry.db");
        store = std::make_unique<SettingsStore>(*registry, log);
    }
    ~BenchHome() {
        store.reset();
        registry.reset(); // before its folder goes
    }
    BenchHome(const BenchHome&) = delete;
    BenchHome& operator=(const BenchHome&) = delete;
};

} // namespace vonalor
