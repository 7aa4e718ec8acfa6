// vonalorctl simulate: a session run by the real program core on the simulator, in virtual
// time, on a copy of the data home.

#include "app/ctl_commands.h"
#include "core/data_home.h"
#include "core/program_core.h"
#include "core/startup.h"
#include "platform/atomic_file.h"
#include "platform/instance_lock.h"
#include "platform/linux/termination_signals.h"
#include "platform/sim/sim_platform.h"
#include "platform/sqlite_registry.h"
#include "platform/temporary_folder.h"
#include "platform/text_file.h"
#include "settings/connection_record.h"
#include "settings/settings_store.h"
#include "stats/billing_period.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"
#include "text/regional.h"

#include <algorithm>
#include <ostream>

namespace vonalor {

namespace {

struct SimulateOptions {
    std::string connection;
    DateTime at;
    std::int64_t seconds = 0;
    int setup = 0;
    std::optional<std::string> fee;
    std::int64_t every = 1;
    bool book = false;
};

// A year: a simulated session of more is a typing error, and would run for hours.
constexpr std::int64_t LongestSimulationSeconds = 366LL * 24 * 3600;
constexpr long double HighestFee = 1'000'000;

std::int64_t wholeNumber(const std::string& option, const std::string& text, std::int64_t min,
                         std::int64_t max) {
    const auto value = Regional::hungarian().parseInt64(text);
    if (!value || *value < min || *value > max)
        throw CtlUsageError{option + " takes a whole number from " + std::to_string(min) + " to " +
                            std::to_string(max) + ", not '" + text + "'"};
    return *value;
}

SimulateOptions parseSimulate(const std::vector<std::string>& args) {
    SimulateOptions options;
    options.connection = args.at(0);
    if (const std::string problem = entryNameProblem(options.connection); !problem.empty())
        throw CtlUsageError{"\"" + options.connection + "\" nem lehet kapcsolat neve: " + problem};
    bool haveAt = false;
    bool haveSeconds = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        if (name == "--book") {
            options.book = true;
            continue;
        }
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw CtlUsageError{name + " needs a value"};
        }
        const Regional& regional = Regional::hungarian();
        if (name == "--at") {
            const std::size_t space = value.find(' ');
            const auto date = regional.parseDate(value.substr(0, space));
            const auto time =
                space == std::string::npos ? std::nullopt : regional.parseTime(value.substr(space + 1));
            if (!date || !time)
                throw CtlUsageError{"--at takes \"YYYY.MM.DD. H:MM:SS\" (\"2004.10.22. 17:30:00\"), not '" +
                                    value + "'"};
            options.at = DateTime{*date, *time};
            haveAt = true;
        } else if (name == "--seconds") {
            options.seconds = wholeNumber(name, value, 1, LongestSimulationSeconds);
            haveSeconds = true;
        } else if (name == "--setup") {
            options.setup = static_cast<int>(wholeNumber(name, value, 0, SimRas::LongestSetupSeconds));
        } else if (name == "--every") {
            options.every = wholeNumber(name, value, 1, LongestSimulationSeconds);
        } else if (name == "--fee") {
            const auto fee = regional.parseFloat(value);
            if (!fee || !(*fee >= 0 && *fee <= HighestFee))
                throw CtlUsageError{"--fee takes an amount from 0 to " + regional.formatFloat(HighestFee) +
                                    " with a decimal comma (\"20\", \"12,5\"), not '" + value + "'"};
            options.fee = value;
        } else {
            throw CtlUsageError{"unknown option " + name + " for simulate"};
        }
    }
    if (!haveAt || !haveSeconds)
        throw CtlUsageError{"simulate needs --at \"YYYY.MM.DD. H:MM:SS\" and --seconds N"};
    return options;
}

// Prints the displays after every K-th counted second.
class SimulationView final : public CoreView {
public:
    SimulationView(ProgramCore& core, std::ostream& out, std::int64_t every)
        : m_core(core), m_out(out), m_every(every) {}

    void changed(Aspects aspects) override {
        if (!has(aspects, Aspect::SecondCounted) || ++m_ticks % m_every != 0)
            return;
        const MainWindowState& s = m_core.state();
        m_out << s.duration.lbOra << ":" << s.duration.lbPerc << ":" << s.duration.lbMPerc << "\t"
              << s.session.lbKapcsAllap << "\t" << s.cost.lbJelenKoltseg << "\t" << s.totals.lbOsszKoltseg
              << "\t" << s.totals.lbszamla << "\t" << s.window.windowTitle << "\n";
    }

private:
    ProgramCore& m_core;
    std::ostream& m_out;
    std::int64_t m_every;
    std::int64_t m_ticks = 0;
};

int simulate(CtlContext& ctx, const std::vector<std::string>& args) {
    const SimulateOptions options = parseSimulate(args);
    // Ended by a termination signal: the run ends between two slices of virtual time and the
    // copy of the data home is removed on the way out.
    TerminationSignals::install();
    int stopSignal = 0;
    auto stopped = [&stopSignal] {
        if (stopSignal == 0)
            stopSignal = TerminationSignals::take();
        return stopSignal != 0;
    };

    // Without --book everything happens in a copy and the real data home stays as it was;
    // with it the session is booked in the data home, as the program itself would book it.
    std::unique_ptr<TemporaryFolder> copy;
    std::unique_ptr<SqliteRegistry> copiedRegistry;
    std::unique_ptr<InstanceLock> lock;
    std::filesystem::path home = ctx.home;
    Registry* registry = &ctx.platform.registry();
    std::string error;
    if (options.book) {
        lock = std::make_unique<InstanceLock>(ctx.home / LockFileName);
        if (!lock->valid()) {
            ctx.err << "vonalorctl: " << lock->error() << "\n";
            return CtlFailure;
        }
        if (lock->alreadyExisted()) {
            ctx.err << "vonalorctl: " << SecondCopyText << "\n";
            return CtlFailure;
        }
    } else {
        copy = std::make_unique<TemporaryFolder>("vonalor-simulate");
        auto* source = dynamic_cast<SqliteRegistry*>(&ctx.platform.registry());
        if (copy->path().empty() || !source || !source->copyTo(copy->path() / RegistryFileName, &error)) {
            ctx.err << "vonalorctl: cannot copy the data home: " << error << "\n";
            return CtlFailure;
        }
        std::error_code ec;
        for (const auto& item : std::filesystem::directory_iterator(ctx.home, ec)) {
            const std::string name = item.path().filename().string();
            if (item.is_regular_file() && name.rfind(RegistryFileName, 0) != 0 && name != LockFileName)
                std::filesystem::copy_file(item.path(), copy->path() / name, ec);
            else if (item.is_directory())
                std::filesystem::copy(item.path(), copy->path() / name,
                                      std::filesystem::copy_options::recursive, ec);
        }
        copiedRegistry = SqliteRegistry::open(copy->path() / RegistryFileName, &error);
        if (!copiedRegistry) {
            ctx.err << "vonalorctl: " << error << "\n";
            return CtlFailure;
        }
        home = copy->path();
        registry = copiedRegistry.get();
    }

    VirtualTime time(options.at);
    ProgramLog log(time);
    SettingsStore store(*registry, log);
    if (!options.book) {
        // In the copy the session is what is simulated, not an installation: a first start
        // would set every record back to its new texts.
        store.WriteSetting("ElsoInditas", "0");
        if (store.ReadSettingQuiet("KezdoDatum").empty() || store.ReadSettingQuiet("VegDatum").empty())
            InitBillingPeriod(store, options.at.date);
    }

    SimPlatform sim(home, *registry, time, ctx.platform.programFolder());
    SimRas& ras = sim.simRas();
    const auto entries = ras.entries();
    if (std::find(entries.begin(), entries.end(), options.connection) == entries.end()) {
        std::string text;
        readWholeFile(home / SimRas::FileName, text);
        if (!text.empty() && text.back() != '\n')
            text += '\n';
        writeFileAtomically(home / SimRas::FileName, text + "entry " + options.connection + "\n");
    }
    // Every entry gets the record values it lacks (the bill adds all of them); values that
    // exist are used as they are.
    auto fillRecords = [&] {
        for (const std::string& entry : ras.entries())
            CreateConnectionRecord(store, entry);
        if (options.fee) {
            store.WriteSetting(options.connection + "VanKapcsDij", "1");
            store.WriteSetting(options.connection + "KapcsDijErteke", *options.fee);
        }
        // The program knows every entry now: its list timer must not take one up as new and
        // set its record back to the new texts.
        store.WriteSetting("KapcsolatokSzama", std::to_string(ras.entries().size()));
    };
    if (!options.book)
        fillRecords();

    bool failed = false;
    sim.scriptedDialogs().setEcho([&](const ScriptedDialogs::Shown& shown) {
        std::string text = shown.text;
        std::replace(text.begin(), text.end(), '\r', '\n');
        ctx.err << text << "\n";
        if (shown.kind == "plainError" || shown.kind == "failureNotice")
            failed = true;
    });
    ProgramCore core(sim.ports(store, log));
    SimulationView view(core, ctx.out, options.every);
    core.setView(&view);
    core.runEvent([&] { core.FormCreate(); });
    if (options.book)
        fillRecords(); // after a first start, which would set them back to the new texts

    ras.connect(options.connection, options.setup);
    // Until the connected edge has been taken (or the session failed to come up).
    const std::int64_t giveUp = time.nowMs() + (options.setup + 5) * 1000LL;
    while (!core.state().session.connectedFlag && time.nowMs() < giveUp && !stopped())
        time.advance(10);
    if (!core.state().session.connectedFlag && !stopped()) {
        ctx.err << "vonalorctl: the simulated connection was not seen connected\n";
        return CtlFailure;
    }
    // A second of virtual time at a time, so that a signal is taken up soon.
    for (std::int64_t left = options.seconds * 1000; left > 0 && !stopped(); left -= 1000)
        time.advance(std::min<std::int64_t>(left, 1000));
    ras.drop(options.connection);
    time.advance(10);
    if (options.book)
        core.runEvent([&] { core.FormClose(); }); // the program log joins its file, as at a close
    if (stopped()) {
        ctx.err << "vonalorctl: simulate stopped by signal " << stopSignal << "\n";
        return 128 + stopSignal;
    }
    return failed ? CtlFailure : CtlOk;
}

} // namespace

std::vector<CtlCommand> simulateCommands() {
    return {
        {"simulate",
         "CONNECTION --at \"YYYY.MM.DD. H:MM:SS\" --seconds N [--setup S] [--fee TEXT] [--every K] [--book]",
         "a session in virtual time on a copy of the data home (with --book: booked in the data home "
         "itself); "
         "the displays after every K-th second",
         5, 12, simulate},
    };
}

} // namespace vonalor
