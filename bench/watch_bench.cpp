// One tick of the connection watch while a connection is up: it runs a hundred times a second.

#include "bench_home.h"
#include "core/program_core.h"
#include "platform/sim/sim_platform.h"
#include "settings/connection_record.h"
#include "settings/installation.h"

#include <benchmark/benchmark.h>

using namespace vonalor;

namespace {

void BM_TimerStatusTimerConnected(benchmark::State& state) {
    BenchHome home(DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}});
    provisionInstallation(*home.registry);
    SettingsStore& store = *home.store;
    store.WriteSetting("ElsoInditas", "0");
    store.WriteSetting("KezdoDatum", "2004.10.01.");
    store.WriteSetting("VegDatum", "2004.11.01.");
    CreateConnectionRecord(store, "Otthon");
    CreateConnectionRecord(store, "Munkahely");
    SimPlatform platform(home.path, *home.registry, home.time);
    ProgramCore core(platform.ports(store, home.log));
    core.FormCreate();
    platform.simRas().connect("Otthon", 0);
    home.time.advance(1010);
    for (auto _ : state) {
        core.TimerStatusTimer();
        benchmark::DoNotOptimize(core.state().session.lbBajtFogad);
    }
}
BENCHMARK(BM_TimerStatusTimerConnected);

} // namespace
