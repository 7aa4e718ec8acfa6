#include "test_support.h"

#include "core/startup.h"
#include "platform/instance_lock.h"

#include <functional>

namespace vonalor::test {
namespace {

enum class Expect { First, Held, Failed };

// What is done to the data home before a new copy takes the lock; `first` holds it when running.
struct LockCase {
    const char* name;
    bool firstRuns;
    std::function<void(const TempHome&)> damage;
    Expect expect;
};

const LockCase lockCases[] = {
    {"lock file left behind by a copy that ended", false,
     [](const TempHome& home) { writeFile(home / "vonalor.lock", ""); }, Expect::First},
    {"folder in place of the lock file", false,
     [](const TempHome& home) { std::filesystem::create_directory(home / "vonalor.lock"); }, Expect::Failed},
    {"lock file deleted while the first copy runs", true,
     [](const TempHome& home) { std::filesystem::remove(home / "vonalor.lock"); }, Expect::Held},
    {"lock file replaced while the first copy runs", true,
     [](const TempHome& home) {
         std::filesystem::remove(home / "vonalor.lock");
         writeFile(home / "vonalor.lock", "");
     },
     Expect::Held},
    {"folder in place of the lock file while the first copy runs", true,
     [](const TempHome& home) {
         std::filesystem::remove(home / "vonalor.lock");
         std::filesystem::create_directory(home / "vonalor.lock");
     },
     Expect::Failed},
};

TEST(InstanceLockTest, ALockThatCannotBeTrustedNeverLetsASecondCopyIn) {
    for (const LockCase& c : lockCases) {
        TempHome home;
        std::unique_ptr<InstanceLock> first;
        if (c.firstRuns) {
            first = std::make_unique<InstanceLock>(home / "vonalor.lock");
            ASSERT_EQ(first->state(), InstanceLock::State::First) << c.name;
        }
        c.damage(home);
        InstanceLock second(home / "vonalor.lock");
        switch (c.expect) {
        case Expect::First:
            EXPECT_EQ(second.state(), InstanceLock::State::First) << c.name;
            break;
        case Expect::Held:
            EXPECT_TRUE(second.valid()) << c.name;
            EXPECT_TRUE(second.alreadyExisted()) << c.name;
            break;
        case Expect::Failed:
            EXPECT_FALSE(second.valid()) << c.name;
            EXPECT_FALSE(second.alreadyExisted()) << c.name;
            EXPECT_NE(second.error().find("vonalor.lock"), std::string::npos)
                << c.name << ": " << second.error();
            break;
        }
    }
}

TEST(InstanceLockTest, AMissingDataHomeIsAFailureNotAFirstCopy) {
    TempHome home;
    InstanceLock lock(home / "gone" / "vonalor.lock");
    EXPECT_FALSE(lock.valid());
    EXPECT_NE(lock.error().find("gone"), std::string::npos) << lock.error();
}

// The command-line commands that book take the same lock and refuse the same way.
TEST(InstanceLockTest, BookingCommandsRefuseALockTheyCannotTrust) {
    const struct {
        const char* command;
        bool firstRuns;
        std::function<void(const TempHome&)> damage;
        const char* message;
    } cases[] = {
        {"monitor --stop-after 1", false,
         [](const TempHome& home) { std::filesystem::create_directory(home / "vonalor.lock"); },
         "vonalor.lock: "},
        {"monitor --stop-after 1", true,
         [](const TempHome& home) { std::filesystem::remove(home / "vonalor.lock"); }, SecondCopyText},
        {"simulate Otthon --at '2004.10.20. 9:00:00' --seconds 5 --fee 20 --book", false,
         [](const TempHome& home) { std::filesystem::create_directory(home / "vonalor.lock"); },
         "vonalor.lock: "},
        {"simulate Otthon --at '2004.10.20. 9:00:00' --seconds 5 --fee 20 --book", true,
         [](const TempHome& home) { std::filesystem::remove(home / "vonalor.lock"); }, SecondCopyText},
    };
    for (const auto& c : cases) {
        TempHome home;
        ASSERT_EQ(runCtl(home.path(), "set Ujraindit 0").exitCode, 0);
        std::unique_ptr<InstanceLock> first;
        if (c.firstRuns)
            first = std::make_unique<InstanceLock>(home / "vonalor.lock");
        c.damage(home);
        const CommandResult run = runCtl(home.path(), c.command, CtlStreams::OutAndErrors);
        EXPECT_EQ(run.exitCode, 1) << c.command << "\n" << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << c.command << "\n" << run.out;
    }
}

} // namespace
} // namespace vonalor::test
