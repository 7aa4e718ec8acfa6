// vonalorctl monitor: the program core without windows, on the real clock, in the foreground.

#include "app/ctl_commands.h"
#include "core/data_home.h"
#include "core/program_core.h"
#include "core/startup.h"
#include "platform/instance_lock.h"
#include "platform/linux/event_loop.h"
#include "platform/linux/termination_signals.h"
#include "platform/sim/recording_sound.h"
#include "platform/sim/scripted_dialogs.h"
#include "platform/sim/sim_ras.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"
#include "text/regional.h"

#include <algorithm>
#include <chrono>
#include <ostream>

namespace vonalor {

namespace {

// Questions take their default answer; everything shown goes to standard error.
void echoDialog(std::ostream& err, const ScriptedDialogs::Shown& shown) {
    std::string text = shown.text;
    std::replace(text.begin(), text.end(), '\r', '\n');
    err << "vonalor: ";
    if (!shown.caption.empty())
        err << "[" << shown.caption << "] ";
    err << text;
    if (shown.kind == "messageDialog") {
        for (const DialogButton& button : shown.dialog.buttons) {
            if (button.result == shown.answer) {
                std::string label = button.label;
                std::erase(label, '&');
                err << " -> " << label << " (default answer)";
            }
        }
    }
    err << "\n";
}

// Ten years: anything longer is a typing error, not a plan.
constexpr std::int64_t LongestStopAfterSeconds = 10LL * 365 * 24 * 3600;

// The monitor's output: state, name, duration, cost, bytes sent and received, tab-separated.
class StatusLines final : public CoreView {
public:
    StatusLines(const ProgramCore& core, std::ostream& out) : m_core(core), m_out(out) {}

    void changed(Aspects aspects) override {
        if ((aspects & ~(Aspect::Traffic | Aspect::Tray)) == 0)
            return;
        // A line when the state, the connection, the clock or the cost moved: every second of a
        // session, nothing while idle. The byte counts alone move many times a second.
        const MainWindowState& s = m_core.state();
        std::string key = s.session.lbKapcsAllap + "\t" +
                          (m_core.connectionActive() ? s.session.lbKapcsNeve : "") + "\t" + s.duration.lbOra +
                          ":" + s.duration.lbPerc + ":" + s.duration.lbMPerc + "\t" + s.cost.lbJelenKoltseg;
        if (key == m_last)
            return;
        m_out << key << "\t" << s.session.lbBajtKuld << "\t" << s.session.lbBajtFogad << std::endl;
        m_last = std::move(key);
    }

private:
    const ProgramCore& m_core;
    std::ostream& m_out;
    std::string m_last;
};

int monitor(CtlContext& ctx, const std::vector<std::string>& args) {
    std::optional<std::string> scenarioFile;
    std::optional<std::int64_t> stopAfter;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (i + 1 >= args.size())
            throw CtlUsageError{name + " needs a value"};
        const std::string& value = args[++i];
        if (name == "--sim-script") {
            scenarioFile = value;
        } else if (name == "--stop-after") {
            const auto seconds = Regional::hungarian().parseInt64(value);
            if (!seconds || *seconds < 1 || *seconds > LongestStopAfterSeconds)
                throw CtlUsageError{"--stop-after takes a number of seconds from 1 to " +
                                    std::to_string(LongestStopAfterSeconds) + ", not '" + value + "'"};
            stopAfter = *seconds;
        } else {
            throw CtlUsageError{"unknown option " + name + " for monitor"};
        }
    }

    InstanceLock lock(ctx.home / LockFileName);
    if (!lock.valid()) {
        ctx.err << "vonalorctl: " << lock.error() << "\n";
        return CtlFailure;
    }
    if (lock.alreadyExisted() && ctx.store.ReadSettingQuiet("Ujraindit") == "0") {
        ctx.err << "vonalorctl: " << SecondCopyText << "\n";
        return CtlFailure;
    }

    EventLoop loop;
    if (scenarioFile) {
        std::string error;
        switch (loadScenarioFile(ctx.platform, *scenarioFile, &error)) {
        case ScenarioLoad::Loaded:
            break;
        case ScenarioLoad::NotSimulator:
            throw CtlUsageError{"--sim-script needs --platform sim"};
        case ScenarioLoad::Unreadable:
            ctx.err << "vonalorctl: " << *scenarioFile << ": cannot read the scenario\n";
            return CtlFailure;
        case ScenarioLoad::Invalid:
            throw CtlUsageError{*scenarioFile + ": " + error};
        }
    }
    if (auto* sim = dynamic_cast<SimRas*>(&ctx.platform.ras()))
        sim->attach(loop);

    // Without a window: the loop's timers, no sound, questions answered on standard error.
    ScriptedDialogs dialogs;
    dialogs.setEcho([&](const ScriptedDialogs::Shown& shown) { echoDialog(ctx.err, shown); });
    RecordingSound sound;
    ctx.platform.useTimers(loop);
    ctx.platform.useSound(sound);
    ctx.platform.useDialogs(dialogs);
    ProgramCore core(ctx.platform.ports(ctx.store, ctx.log));
    core.runEvent([&] { core.FormCreate(); });
    if (const int fd = ctx.platform.ras().changeDescriptor(); fd >= 0)
        loop.watch(fd, [&] { ctx.platform.ras().processChanges(); });

    // A status line whenever the session changes (every second while one is up), told by the
    // core: idle nothing wakes the program for it.
    StatusLines lines(core, ctx.out);
    core.setView(&lines);
    Timer* stop = nullptr;
    if (stopAfter) {
        // A timer's interval holds under 25 days: a later stop is reached in steps of a day.
        const auto stopAt = std::chrono::steady_clock::now() + std::chrono::seconds(*stopAfter);
        auto step = [stopAt] {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(stopAt - std::chrono::steady_clock::now());
            return static_cast<int>(std::clamp<std::int64_t>(left.count(), 1, 24LL * 3600 * 1000));
        };
        stop = &loop.createTimer("MonitorStop", step(), true, [&loop, &stop, stopAt, step] {
            if (std::chrono::steady_clock::now() >= stopAt)
                loop.quit(0);
            else
                stop->setInterval(step());
        });
    }

    // Ctrl+C and a termination close the books as closing the main window does.
    if (TerminationSignals::install()) {
        loop.watch(TerminationSignals::descriptor(), [&] {
            if (TerminationSignals::take() != 0)
                loop.quit(0);
        });
    }
    // The first line once a signal can no longer end the monitor without its close.
    lines.changed(AllAspects);
    const int code = loop.run();
    core.runEvent([&] {
        if (core.FormCloseQuery(true))
            core.FormClose();
    });
    // Something that could not be written or booked has been shown on standard error.
    if (code == 0 && core.hadFailures()) {
        if (core.pendingBookings() > 0)
            ctx.err << "vonalorctl: " << core.pendingBookings()
                    << " session(s) not yet booked; they are kept and booked at the next start\n";
        return CtlFailure;
    }
    return code;
}

} // namespace

std::vector<CtlCommand> monitorCommands() {
    return {
        {"monitor", "[--sim-script FILE] [--stop-after SECONDS]",
         "watch and book connections without windows, a status line at each change (every second of a "
         "session), until Ctrl+C",
         0, 4, monitor},
    };
}

} // namespace vonalor
