// The books: closing a session on a long log and a full daily file, and closing a period.

#include "platform/atomic_file.h"
#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "platform/text_file.h"
#include "settings/connection_record.h"
#include "settings/settings_store.h"
#include "stats/billing_period.h"
#include "stats/daily_statistics.h"
#include "stats/session_log.h"
#include "tasks/program_log.h"
#include "text/cp1250.h"

#include "bench_home.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace vonalor;

namespace {

struct BooksHome : BenchHome {
    BooksHome() : BenchHome(DateTime{Date{2004, 10, 25}, TimeOfDay{9, 29, 11}}) {
        ::setenv("USERNAME", "Rezo", 1);
    }
};

const SessionFigures Session{"Otthon", true, "2004.10.25.", "9:05:31", "00",
                             "23",     "40", "142",         "215 304", "1 860 115"};

// A log of `entries` booked sessions, as the file holds it.
std::string logBytes(int entries) {
    std::string text;
    const SessionTotals totals{"4325,5", "12", "05", "17"};
    for (int i = 0; i < entries; ++i) {
        for (const std::string& line : sessionEntryLines(Session, totals, "2004.10.25.", "9:29:11", "Rezo"))
            text += line + "\r\n";
    }
    return toCp1250(text);
}

void BM_CloseSessionBooks(benchmark::State& state) {
    BooksHome home;
    CreateConnectionRecord(*home.store, "Otthon");
    // Today in the middle of the 1001 prepared days.
    CreateDailyStatistics(home.path, "Otthon", Date{2003, 6, 1});
    const std::string log = logBytes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        writeFileAtomically(home.path / "naplo.txt", log);
        state.ResumeTiming();
        CloseSessionBooks(*home.store, home.path, home.time, Session);
    }
    state.counters["log_kB"] = static_cast<double>(log.size()) / 1024;
}
BENCHMARK(BM_CloseSessionBooks)->Arg(1000)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_Rollover(benchmark::State& state) {
    BooksHome home;
    std::vector<std::string> connections;
    for (int i = 0; i < state.range(0); ++i) {
        connections.push_back("Kapcsolat " + std::to_string(i + 1));
        CreateConnectionRecord(*home.store, connections.back());
    }
    const std::string log = logBytes(100);
    const std::filesystem::path archive = archiveFile(home.path, "2004.10.25.", "2004.11.25.");
    home.time.setNow(DateTime{Date{2004, 11, 25}, TimeOfDay{0, 0, 1}});
    for (auto _ : state) {
        state.PauseTiming();
        home.store->WriteSetting("KezdoDatum", "2004.10.25.");
        home.store->WriteSetting("VegDatum", "2004.11.25.");
        std::filesystem::remove(archive);
        writeFileAtomically(home.path / "naplo.txt", log);
        state.ResumeTiming();
        if (!closeDuePeriod(*home.store, home.path, home.time, connections))
            state.SkipWithError("the period was not closed");
    }
}
BENCHMARK(BM_Rollover)->Arg(20)->Unit(benchmark::kMillisecond);

// The tick as it runs every 2.5 seconds while nothing is due.
void BM_RolloverTickNotDue(benchmark::State& state) {
    BooksHome home;
    InitBillingPeriod(*home.store, Date{2004, 10, 25});
    const std::vector<std::string> connections{"Otthon"};
    for (auto _ : state)
        benchmark::DoNotOptimize(closeDuePeriod(*home.store, home.path, home.time, connections));
}
BENCHMARK(BM_RolloverTickNotDue)->Unit(benchmark::kMicrosecond);

} // namespace
