#pragma once

// The program core on the simulator, virtual time and a temporary data home.

#include "test_support.h"

#include "core/message_dialogs.h"
#include "core/program_core.h"
#include "platform/sim/sim_platform.h"
#include "settings/connection_record.h"
#include "settings/installation.h"

namespace vonalor::test {

struct RecordingView final : CoreView {
    std::vector<std::string> calls;
    bool passwordAnswer = true;
    void showMainWindow() override { calls.push_back("show"); }
    void hideMainWindow() override { calls.push_back("hide"); }
    void showHintBubble(const std::string& text) override { calls.push_back("bubble:" + text); }
    void closeCompanion() override { calls.push_back("closeCompanion"); }
    bool askRestorePassword() override {
        calls.push_back("password");
        return passwordAnswer;
    }
};

struct ProgramCoreTest : CoreFixture {
    // The simulator on the fixture's time, registry and dialogs; its ports by name.
    SimPlatform platform{home.path(), *registry, time};
    RecordingSound& sound = platform.recordingSound();
    SimRas& ras = platform.simRas();
    SimAutostart& autostart = platform.simAutostart();
    SimSystemInfo& system = platform.simSystem();
    SimNet& net = platform.simNet();
    RecordingShell& shell = platform.recordingShell();
    MemoryBrowser& browser = platform.memoryBrowser();
    RecordingView view;
    std::unique_ptr<ProgramCore> core;

    ProgramCoreTest() {
        platform.useDialogs(dialogs);
        provisionInstallation(*registry);
    }

    void phonebook(const std::string& lines) { writeFile(home / SimRas::FileName, lines); }

    ProgramCore& start() {
        core = std::make_unique<ProgramCore>(platform.ports(store, log));
        core->setView(&view);
        core->FormCreate();
        return *core;
    }
    std::string setting(const std::string& name) { return store.ReadSettingQuiet(name); }
};

// A later start: the first-start files are made, two connections have records.
struct LaterStartTest : ProgramCoreTest {
    LaterStartTest() {
        store.WriteSetting("ElsoInditas", "0");
        store.WriteSetting("KezdoDatum", "2004.10.01.");
        store.WriteSetting("VegDatum", "2004.11.01.");
        for (const char* name : {"Otthon", "Munkahely"})
            CreateConnectionRecord(store, name);
        store.WriteSetting("KapcsolatokSzama", "2");
    }
    const MainWindowState& state() const { return core->state(); }
};

} // namespace vonalor::test
