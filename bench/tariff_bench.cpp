// The running cost prices every second of a connection with IntervalCost; it must stay far
// below a millisecond with the tariff reads included.

#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "settings/settings_store.h"
#include "tariff/interval_cost.h"
#include "tasks/program_log.h"

#include "bench_home.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace vonalor;

namespace {

struct TariffHome : BenchHome {
    TariffHome() : BenchHome(DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}}) {
        const char* values[][2] = {{"HetKozDelelott", "6"},   {"HetKozDelutan", "4"}, {"HetKozEjjel", "2"},
                                   {"HetVegDelelott", "4,5"}, {"HetVegDelutan", "4"}, {"HetVegEjjel", "3"}};
        for (const auto& value : values)
            store->WriteSetting(std::string("Otthon") + value[0], value[1]);
    }
};

// One-second steps as a connection makes them, inside bands and across 18:00 and midnight.
const char* const Steps[][2] = {{"10:15:30", "10:15:31"}, {"17:59:59", "18:00:00"}, {"20:00:00", "20:00:01"},
                                {"23:59:59", "0:00:00"},  {"3:00:00", "3:00:01"},   {"6:59:59", "7:00:00"}};

void BM_IntervalCostWithStoreReads(benchmark::State& state) {
    TariffHome home;
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& step = Steps[i++ % 6];
        benchmark::DoNotOptimize(IntervalCost(*home.store, "Otthon", home.time, step[0], step[1]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IntervalCostWithStoreReads);

void BM_IntervalCostGivenTariffs(benchmark::State& state) {
    TariffHome home;
    const Tariffs tariffs = ReadTariffs(*home.store, "Otthon");
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& step = Steps[i++ % 6];
        benchmark::DoNotOptimize(IntervalCost(tariffs, home.time, step[0], step[1]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IntervalCostGivenTariffs);

} // namespace
