#pragma once

#include "platform/browser.h"
#include "platform/platform.h"
#include "platform/sim/recording_sound.h"
#include "platform/sim/scripted_dialogs.h"
#include "platform/sim/sim_ras.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/virtual_time.h"

namespace vonalor {

// The simulator: connections from the data home's phonebook file or a scenario, a recorded
// shell, sound and autostart list, scripted dialogs and a browser cache in memory. Its time
// is virtual (tests, benchmarks, vonalorctl simulate: whoever drives the time owns it) or the
// machine's, whose timers are then the composition root's.
class SimPlatform final : public Platform {
public:
    static constexpr const char* TestProgramFolder = "/opt/vonalor";

    // On virtual time, with a registry the caller keeps.
    SimPlatform(std::filesystem::path home, Registry& registry, VirtualTime& time,
                std::string programFolder = TestProgramFolder);
    // On a real clock, with a registry of its own.
    SimPlatform(std::filesystem::path home, std::unique_ptr<Registry> registry, std::unique_ptr<Clock> clock,
                std::string programFolder);
    ~SimPlatform() override;

    SimRas& simRas() { return m_simRas; }
    SimAutostart& simAutostart() { return m_simAutostart; }
    SimSystemInfo& simSystem() { return m_simSystem; }
    SimNet& simNet() { return m_simNet; }
    RecordingShell& recordingShell() { return m_recordingShell; }
    RecordingSound& recordingSound() { return m_recordingSound; }
    ScriptedDialogs& scriptedDialogs() { return m_scriptedDialogs; }
    MemoryBrowser& memoryBrowser() { return m_memoryBrowser; }

private:
    void bindPorts(Clock* clock);

    std::unique_ptr<Clock> m_realClock;
    SimRas m_simRas;
    SimAutostart m_simAutostart;
    SimSystemInfo m_simSystem;
    SimNet m_simNet;
    RecordingShell m_recordingShell;
    RecordingSound m_recordingSound;
    ScriptedDialogs m_scriptedDialogs;
    MemoryBrowser m_memoryBrowser;
};

} // namespace vonalor
