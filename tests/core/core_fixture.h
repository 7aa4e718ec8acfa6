#pragma once

// The program core on the simulator, virtual time and a temporary data home.

#include "test_support.h"

#include "core/message_dialogs.h"
#include "core/program_core.h"
#include "platform/browser.h"
#include "platform/sim/recording_sound.h"
#include "platform/sim/sim_ras.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
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
    RecordingSound sound;
    SimRas ras{home / SimRas::FileName, time};
    SimAutostart autostart{*registry, "/opt/vonalor"};
    SimSystemInfo system;
    SimNet net;
    RecordingShell shell;
    MemoryBrowser browser;
    RecordingView view;
    std::unique_ptr<ProgramCore> core;

    ProgramCoreTest() { provisionInstallation(*registry); }

    void phonebook(const std::string& lines) { writeFile(home / SimRas::FileName, lines); }

    ProgramCore& start() {
        core = std::make_unique<ProgramCore>(
            CorePorts{home.path(), "/opt/vonalor", time, time, store, log, dialogs, sound, ras, autostart, system, net, shell, browser});
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
