// One tick of the connection watch while a connection is up: it runs a hundred times a second.

#include "core/program_core.h"
#include "platform/browser.h"
#include "platform/sim/recording_sound.h"
#include "platform/sim/scripted_dialogs.h"
#include "platform/sim/sim_ras.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "settings/connection_record.h"
#include "settings/installation.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

using namespace vonalor;

namespace {

void BM_TimerStatusTimerConnected(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vonalor-bench-XXXXXX").string();
    const std::filesystem::path home = ::mkdtemp(pattern.data());
    {
        auto registry = SqliteRegistry::open(home / "registry.db");
        provisionInstallation(*registry);
        VirtualTime time(DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}});
        ProgramLog log(time);
        SettingsStore store(*registry, log);
        store.WriteSetting("ElsoInditas", "0");
        store.WriteSetting("KezdoDatum", "2004.10.01.");
        store.WriteSetting("VegDatum", "2004.11.01.");
        CreateConnectionRecord(store, "Otthon");
        CreateConnectionRecord(store, "Munkahely");
        ScriptedDialogs dialogs;
        RecordingSound sound;
        SimRas ras(home / SimRas::FileName, time);
        SimAutostart autostart(*registry, "/opt/vonalor");
        SimSystemInfo system;
        SimNet net;
        RecordingShell shell;
        MemoryBrowser browser;
        ProgramCore core(CorePorts{home, "/opt/vonalor", time, time, store, log, dialogs, sound, ras, autostart,
                                   system, net, shell, browser});
        core.FormCreate();
        ras.connect("Otthon", 0);
        time.advance(1010);
        for (auto _ : state) {
            core.TimerStatusTimer();
            benchmark::DoNotOptimize(core.state().session.lbBajtFogad);
        }
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_TimerStatusTimerConnected);

} // namespace
