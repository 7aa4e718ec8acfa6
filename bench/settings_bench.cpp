// Throughput of the settings store: the status timer reads it hundreds of times a second.

#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "settings/installation.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"

#include "bench_home.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace vonalor;

namespace {

struct SettingsHome : BenchHome {
    SettingsHome() : BenchHome(DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}}) {
        provisionInstallation(*registry);
        for (const char* suffix :
             {"OsszOra", "OsszPerc", "OsszMPerc", "OsszKoltseg", "HetKozDelelott", "VanKapcsDij"})
            store->WriteSetting(std::string("Otthon") + suffix, "0");
    }
};

void BM_ReadSetting(benchmark::State& state) {
    SettingsHome home;
    const char* names[] = {"KiseroAblak", "OtthonOsszKoltseg", "Elrejtes", "OtthonHetKozDelelott",
                           "JelezzenOrat"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(home.store->ReadSetting(names[i++ % 5]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadSetting);

// Every read after a write: the cache must not hide the new text.
void BM_ReadAfterWrite(benchmark::State& state) {
    SettingsHome home;
    int n = 0;
    for (auto _ : state) {
        home.store->WriteSetting("OtthonOsszPerc", std::to_string(++n));
        benchmark::DoNotOptimize(home.store->ReadSetting("OtthonOsszPerc"));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadAfterWrite);

void BM_WriteSetting(benchmark::State& state) {
    SettingsHome home;
    int n = 0;
    for (auto _ : state)
        home.store->WriteSetting("OtthonOsszKoltseg", std::to_string(++n));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteSetting);

} // namespace
