// The platform objects: each binds its own ports, and the ones the composition root must
// choose are asked for before the program core gets any.

#include "test_support.h"

#include "platform/linux/linux_platform.h"
#include "platform/sim/recording_sound.h"
#include "platform/sim/sim_platform.h"

#include <stdexcept>

namespace vonalor::test {
namespace {

TEST(PlatformPortsTest, TheLinuxPlatformHandsOutNoPortsUntilTimersSoundAndDialogsAreChosen) {
    TempHome home;
    LinuxPlatform platform(home.path(), SqliteRegistry::open(home / "registry.db"), "/opt/vonalor");
    VirtualTime time{DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}}};
    ProgramLog log(time);
    SettingsStore store(platform.registry(), log);
    RecordingSound sound;
    ScriptedDialogs dialogs;

    EXPECT_THROW(platform.ports(store, log), std::logic_error);
    platform.useTimers(time);
    platform.useSound(sound);
    EXPECT_THROW(platform.ports(store, log), std::logic_error);
    platform.useDialogs(dialogs);
    const CorePorts ports = platform.ports(store, log);
    EXPECT_EQ(&ports.timers, static_cast<TimerService*>(&time));
    EXPECT_EQ(&ports.sound, &sound);
    EXPECT_EQ(&ports.dialogs, &dialogs);
    EXPECT_NE(dynamic_cast<PppRas*>(&ports.ras), nullptr);
    EXPECT_NE(dynamic_cast<XdgShell*>(&ports.shell), nullptr);
    EXPECT_EQ(ports.home, home.path());
    EXPECT_EQ(ports.programFolder, "/opt/vonalor");
}

TEST(PlatformPortsTest, TheSimulatorRunsOnTheTimeItIsGivenWithItsOwnSoundAndDialogsUnlessOthersAreChosen) {
    TempHome home;
    auto registry = SqliteRegistry::open(home / "registry.db");
    VirtualTime time{DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}}};
    ProgramLog log(time);
    SettingsStore store(*registry, log);
    SimPlatform platform(home.path(), *registry, time);

    const CorePorts own = platform.ports(store, log);
    EXPECT_EQ(&own.clock, static_cast<Clock*>(&time));
    EXPECT_EQ(&own.timers, static_cast<TimerService*>(&time));
    EXPECT_EQ(&own.ras, &platform.simRas());
    EXPECT_EQ(&own.sound, &platform.recordingSound());
    EXPECT_EQ(&own.dialogs, &platform.scriptedDialogs());
    EXPECT_TRUE(std::filesystem::exists(home / SimRas::FileName)); // its phonebook, made at once

    ScriptedDialogs echoed;
    platform.useDialogs(echoed);
    EXPECT_EQ(&platform.ports(store, log).dialogs, &echoed);
}

} // namespace
} // namespace vonalor::test
