#include "test_support.h"

#include "core/startup.h"
#include "settings/installation.h"
#include "text/regional.h"

#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace vonalor::test {
namespace {

// Records what start-up asked of its face.
struct RecordingFace final : StartupFace {
    bool passwordAnswer = true;
    std::vector<std::string> calls;
    SettingsStore* store = nullptr;

    bool askStartPassword() override {
        calls.push_back("password");
        return passwordAnswer;
    }
    void createWindows() override {
        calls.push_back("windows");
        store->WriteSetting("ElsoInditas", "0"); // as the main window's creation does
        store->WriteSetting("Ujraindit", "0");
    }
    void showFirstStartTip() override { calls.push_back("tip"); }
    int runMessageLoop() override {
        calls.push_back("loop");
        return 0;
    }
};

struct StartupTest : CoreFixture {
    RecordingFace face;
    StartupTest() { face.store = &store; }

    Startup makeStartup() {
        return Startup(store, dialogs,
                       [this] { return std::make_unique<InstanceLock>(home / "vonalor.lock"); });
    }
};

TEST_F(StartupTest, FirstStartShowsTheTipAfterTheWindowsAndOnlyOnce) {
    provisionInstallation(*registry);
    {
        Startup startup = makeStartup();
        EXPECT_EQ(startup.run(face), 0);
    }
    EXPECT_EQ(face.calls, (std::vector<std::string>{"windows", "tip", "loop"}));
    EXPECT_EQ(store.ReadSettingQuiet("ElsoInditas"), "0");
    face.calls.clear();
    Startup again = makeStartup();
    again.run(face);
    EXPECT_EQ(face.calls, (std::vector<std::string>{"windows", "loop"}));
}

TEST_F(StartupTest, CancellingThePasswordEndsBeforeAnythingIsWritten) {
    provisionInstallation(*registry);
    store.WriteSetting("JelszoIndulas", "1");
    const auto before = registry->values(RegistryRoot::LocalMachine, ProgramKey);
    face.passwordAnswer = false;
    Startup startup = makeStartup();
    EXPECT_EQ(startup.run(face), 0);
    EXPECT_EQ(startup.outcome(), Startup::Outcome::PasswordCancelled);
    EXPECT_EQ(face.calls, std::vector<std::string>{"password"});
    EXPECT_EQ(registry->values(RegistryRoot::LocalMachine, ProgramKey), before);
    EXPECT_FALSE(std::filesystem::exists(home / "vonalor.lock"));
}

// The second copy's behaviour by Ujraindit, with the first copy holding the lock.
TEST_F(StartupTest, SecondCopyIsRefusedOnlyWhenUjrainditIsZero) {
    const struct {
        const char* ujraindit; // nullptr: never written
        bool refused;
    } cases[] = {{"0", true}, {"1", false}, {nullptr, false}, {"", false}};
    for (const auto& c : cases) {
        TempHome caseHome;
        auto caseRegistry = SqliteRegistry::open(caseHome / "registry.db");
        ProgramLog caseLog(time);
        SettingsStore caseStore(*caseRegistry, caseLog);
        caseStore.WriteSetting("ElsoInditas", "0");
        if (c.ujraindit)
            caseStore.WriteSetting("Ujraindit", c.ujraindit);
        InstanceLock first(caseHome / "vonalor.lock");
        ASSERT_FALSE(first.alreadyExisted());

        ScriptedDialogs caseDialogs;
        RecordingFace caseFace;
        caseFace.store = &caseStore;
        Startup second(caseStore, caseDialogs,
                       [&] { return std::make_unique<InstanceLock>(caseHome / "vonalor.lock"); });
        EXPECT_EQ(second.run(caseFace), 0);
        if (c.refused) {
            EXPECT_EQ(second.outcome(), Startup::Outcome::SecondCopyRefused);
            ASSERT_EQ(caseDialogs.shown().size(), 1u);
            EXPECT_EQ(caseDialogs.shown()[0].kind, "plainError");
            EXPECT_EQ(caseDialogs.shown()[0].text, "Az alkalmazás már fut egy példányban!");
            EXPECT_TRUE(caseFace.calls.empty());
        } else {
            EXPECT_EQ(second.outcome(), Startup::Outcome::Ran) << (c.ujraindit ? c.ujraindit : "(none)");
            EXPECT_TRUE(caseDialogs.shown().empty());
            EXPECT_EQ(caseStore.ReadSettingQuiet("Ujraindit"), "0");
        }
    }
}

TEST_F(StartupTest, ASecondCopyAsksForThePasswordBeforeItIsRefused) {
    store.WriteSetting("JelszoIndulas", "1");
    store.WriteSetting("Ujraindit", "0");
    InstanceLock first(home / "vonalor.lock");
    Startup second = makeStartup();
    second.run(face);
    EXPECT_EQ(face.calls, std::vector<std::string>{"password"});
    EXPECT_EQ(second.outcome(), Startup::Outcome::SecondCopyRefused);
}

TEST_F(StartupTest, ALockThatCannotBeTakenRefusesToStartWithTheReason) {
    store.WriteSetting("Ujraindit", "1"); // not even a restart may run unguarded
    std::filesystem::create_directory(home / "vonalor.lock");
    Startup startup = makeStartup();
    EXPECT_EQ(startup.run(face), 1);
    EXPECT_EQ(startup.outcome(), Startup::Outcome::LockFailed);
    EXPECT_TRUE(face.calls.empty());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, "plainError");
    EXPECT_EQ(dialogs.shown()[0].text.rfind(LockFailedText, 0), 0u) << dialogs.shown()[0].text;
    EXPECT_NE(dialogs.shown()[0].text.find("vonalor.lock"), std::string::npos) << dialogs.shown()[0].text;
}

TEST_F(StartupTest, ThePasswordComparesExactlyAndAMissingOneIsEmpty) {
    EXPECT_TRUE(passwordMatches(store, ""));
    store.WriteKeyValue(PasswordKey, "Jelszo", "Titok");
    EXPECT_TRUE(passwordMatches(store, "Titok"));
    EXPECT_FALSE(passwordMatches(store, "titok"));
    EXPECT_FALSE(passwordMatches(store, "Titok "));
    EXPECT_FALSE(passwordMatches(store, ""));
}

// The lock in two processes: held by one, seen by another; gone with its holder.
TEST(InstanceLockTest, AnotherProcessSeesTheLockWhileItsHolderLives) {
    TempHome home;
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock lock(home / "vonalor.lock");
        char byte = lock.alreadyExisted() ? 'x' : 'k';
        [[maybe_unused]] auto w = ::write(ready[1], &byte, 1);
        [[maybe_unused]] auto r = ::read(release[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'k');
    {
        InstanceLock second(home / "vonalor.lock");
        EXPECT_TRUE(second.valid());
        EXPECT_TRUE(second.alreadyExisted());
    }
    ASSERT_EQ(::write(release[1], &byte, 1), 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    InstanceLock afterwards(home / "vonalor.lock");
    EXPECT_FALSE(afterwards.alreadyExisted());
    // Another data home has a lock of its own.
    TempHome other;
    InstanceLock elsewhere(other / "vonalor.lock");
    EXPECT_FALSE(elsewhere.alreadyExisted());
}

TEST_F(StartupTest, RestartWritesTheMarkBeforeStartingTheSameProgram) {
    InstanceLock running(home / "vonalor.lock");
    store.WriteSetting("Ujraindit", "0");
    // The "program" restarted here is the command-line tool writing a value of its own.
    ASSERT_TRUE(restartProgram(store, VONALOR_CTL_PATH,
                               {"--home", home.path().string(), "set", "Ujrainditva", "igen"}));
    EXPECT_EQ(store.ReadSettingQuiet("Ujraindit"), "1");
    int status = 0;
    ASSERT_GT(::waitpid(-1, &status, 0), 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(store.ReadSettingQuiet("Ujrainditva"), "igen");
}

TEST(InstallationTest, AFreshHomeGetsEveryStartValueAndALaterStartChangesNothing) {
    TempHome home;
    auto registry = SqliteRegistry::open(home / "registry.db");
    EXPECT_TRUE(provisionInstallation(*registry));
    auto read = [&](const char* name) {
        return registry->read(RegistryRoot::LocalMachine, ProgramKey, name);
    };
    EXPECT_EQ(read("ElsoInditas").text, "1");
    // Everything the program converts to a number at start must convert.
    for (const char* name : {"WebLista", "GyorsBillCsat", "GyBKapcsList", "GyorsBillBiz", "GyorsBillBont",
                             "GyorsBillWeblap", "FoablaknalAktFul", "BeallitasnalAktFul", "KapcsolatokSzama",
                             "KiseroBal", "KiseroTop", "Atlatszosag", "JelezzenMPerc"}) {
        ASSERT_EQ(read(name).status, Registry::Status::Found) << name;
        EXPECT_TRUE(Regional::hungarian().parseInt(read(name).text).has_value()) << name;
    }
    std::set<std::string> letters;
    for (const char* name : {"GyorsBillBiz", "GyorsBillCsat", "GyorsBillBont", "GyorsBillWeblap"}) {
        const int letter = Regional::hungarian().toInt(read(name).text);
        EXPECT_TRUE(letter >= 0 && letter <= 25) << name;
        letters.insert(read(name).text);
    }
    EXPECT_EQ(letters.size(), 4u);

    registry->write(RegistryRoot::LocalMachine, ProgramKey, "ElsoInditas", "0");
    registry->write(RegistryRoot::LocalMachine, ProgramKey, "KiseroBal", "123");
    EXPECT_FALSE(provisionInstallation(*registry));
    EXPECT_EQ(read("ElsoInditas").text, "0");
    EXPECT_EQ(read("KiseroBal").text, "123");
}

TEST(InstallationTest, TheSoundsAreMadeWhereMissingAsPlayableWaveFiles) {
    TempHome home;
    writeFile(home / "tada.wav", "mine");
    installSounds(home.path());
    EXPECT_EQ(readFile(home / "tada.wav"), "mine"); // a sound the user put there stays
    const std::string wav = readFile(home / "Lejart.wav");
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    const auto le32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(wav[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(wav[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(wav[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(wav[at + 3])) << 24;
    };
    EXPECT_EQ(le32(4), wav.size() - 8);
    EXPECT_EQ(le32(40), wav.size() - 44);
    EXPECT_EQ(le32(24), 22050u);
    EXPECT_EQ((wav.size() - 44) / 2, 22050u * 720 / 1000); // three tones, 0,72 s in all
}

} // namespace
} // namespace vonalor::test
