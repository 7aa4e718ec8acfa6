// A full disk during a session: the failure reaches the user and the session is booked, once,
// when there is room again. The data home is a small tmpfs of this test's own mount namespace.

#include "core_fixture.h"

#include "stats/session_books.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace vonalor::test {
namespace {

// A 1 MB tmpfs over a fresh folder, seen by this process only.
struct SmallDisk {
    TempHome folder;
    bool mounted = false;
    std::string why;
    SmallDisk() {
        if (::unshare(CLONE_NEWNS) != 0) {
            why = "no mount namespace here (needs root)";
            return;
        }
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
        mounted = ::mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=1m") == 0;
        if (!mounted)
            why = "tmpfs cannot be mounted here";
    }
    ~SmallDisk() {
        if (mounted)
            ::umount2(folder.path().c_str(), MNT_DETACH);
    }
    // Fills the disk, then gives back `spare` bytes.
    void fill(std::size_t spare) {
        const int fd = ::open((folder.path() / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const std::string block(4096, 'x');
        off_t size = 0;
        while (::write(fd, block.data(), block.size()) == static_cast<ssize_t>(block.size()))
            size += 4096;
        ::ftruncate(fd, size > static_cast<off_t>(spare) ? size - static_cast<off_t>(spare) : 0);
        ::close(fd);
    }
    void makeRoom() { std::filesystem::remove(folder.path() / "filler"); }
};

struct FullDiskTest : ::testing::Test {
    SmallDisk disk;
    std::filesystem::path home = disk.folder.path();
    VirtualTime time{DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}}};
    ScriptedDialogs dialogs;
    std::unique_ptr<SqliteRegistry> registry;
    std::unique_ptr<ProgramLog> log;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<SimPlatform> platform;
    SimRas* ras = nullptr;
    std::unique_ptr<ProgramCore> core;

    void SetUp() override {
        if (!disk.mounted)
            GTEST_SKIP() << disk.why;
        registry = SqliteRegistry::open(home / "registry.db");
        ASSERT_TRUE(registry);
        log = std::make_unique<ProgramLog>(time);
        store = std::make_unique<SettingsStore>(*registry, *log);
        provisionInstallation(*registry);
        writeFile(home / SimRas::FileName, "entry Otthon\n");
        platform = std::make_unique<SimPlatform>(home, *registry, time);
        platform->useDialogs(dialogs);
        ras = &platform->simRas();
    }
    void start() {
        core = std::make_unique<ProgramCore>(platform->ports(*store, *log));
        core->FormCreate();
    }
    void stop() {
        core->FormClose();
        core.reset();
    }
    std::size_t bookedEntries() {
        std::error_code ec;
        if (!std::filesystem::exists(home / "naplo.txt", ec))
            return 0;
        const std::string text = readFile(home / "naplo.txt");
        std::size_t count = 0;
        for (std::size_t at = text.find("Kapcsolat neve"); at != std::string::npos;
             at = text.find("Kapcsolat neve", at + 1))
            ++count;
        return count;
    }
};

TEST_F(FullDiskTest, ASessionThatCouldNotBeBookedWaitsAndIsBookedOnceThereIsRoom) {
    start();
    store->WriteSetting("OtthonHetKozDelelott", "6");
    ras->connect("Otthon", 1);
    time.advance(31000);
    // Room for the queued session, none for the log.
    disk.fill(4096);
    ras->drop("Otthon");
    time.advance(10);

    EXPECT_EQ(core->state().session.lbKapcsAllap, "Nincs Kapcsolat");
    EXPECT_TRUE(core->hadFailures());
    EXPECT_EQ(core->pendingBookings(), 1u);
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_NE(dialogs.shown().back().text.find("nem sikerült könyvelni"), std::string::npos)
        << dialogs.shown().back().text;
    EXPECT_EQ(bookedEntries(), 0u);
    EXPECT_EQ(store->ReadSettingQuiet("OtthonKapcsSzama"), "0"); // the earlier state is whole
    stop();
    ASSERT_TRUE(std::filesystem::exists(home / PendingBookingsFileName));

    disk.makeRoom();
    dialogs.clear();
    start();
    EXPECT_EQ(core->pendingBookings(), 0u);
    EXPECT_FALSE(core->hadFailures());
    EXPECT_EQ(bookedEntries(), 1u);
    EXPECT_EQ(store->ReadSettingQuiet("OtthonKapcsSzama"), "1");
    EXPECT_EQ(store->ReadSettingQuiet("OtthonOsszMPerc"), "37"); // 7 + 30 seconds
    stop();
    start();
    EXPECT_EQ(bookedEntries(), 1u); // never twice
    EXPECT_EQ(store->ReadSettingQuiet("OtthonKapcsSzama"), "1");
}

// With no room at all the reserve kept beside the queue makes room for it.
TEST_F(FullDiskTest, OnAWhollyFullDiskTheReserveKeepsTheSessionQueued) {
    start();
    ASSERT_TRUE(std::filesystem::exists(home / BookingReserveFileName));
    ras->connect("Otthon", 1);
    time.advance(11000);
    disk.fill(0);
    ras->drop("Otthon");
    time.advance(10);
    stop();
    disk.makeRoom();
    start();
    EXPECT_EQ(bookedEntries(), 1u);
    EXPECT_EQ(store->ReadSettingQuiet("OtthonKapcsSzama"), "1");
    EXPECT_TRUE(std::filesystem::exists(home / BookingReserveFileName)); // made again
}

} // namespace
} // namespace vonalor::test
