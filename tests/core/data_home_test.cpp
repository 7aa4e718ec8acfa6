// The data home keeps the books, the user name and the passwords: nobody but its user reads it.

#include "test_support.h"

#include "core/data_home.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <sys/stat.h>

namespace vonalor::test {
namespace {

unsigned modeOf(const std::filesystem::path& item) {
    struct stat info {};
    if (::lstat(item.c_str(), &info) != 0)
        return 01000; // no such item: never a valid mode
    return info.st_mode & 07777;
}

// The mask a desktop session usually has, so that only the program itself makes things private.
struct OpenUmask : ::testing::Test {
    mode_t saved = ::umask(022);
    ~OpenUmask() override { ::umask(saved); }
};

struct DataHomeTest : OpenUmask {
    TempHome parent;
    DataHomeTest() { std::filesystem::permissions(parent.path(), std::filesystem::perms(0755)); }
};

TEST_F(DataHomeTest, ANewHomeUnderAnOpenFolderIsPrivateAndNotReported) {
    std::vector<std::filesystem::path> tightened;
    std::string error;
    ASSERT_TRUE(prepareDataHome(parent / "share" / "vonalor", &error, &tightened)) << error;
    EXPECT_EQ(modeOf(parent / "share" / "vonalor"), 0700u);
    EXPECT_TRUE(tightened.empty());
}

TEST_F(DataHomeTest, AnOldHomeLosesOnlyGroupAndOtherBitsOnce) {
    const std::filesystem::path home = parent / "vonalor";
    std::filesystem::create_directories(home / "hangok");
    TempHome outside;
    writeFile(outside / "shared.txt", "");
    std::filesystem::create_symlink(outside / "shared.txt", home / "link.txt");
    struct Item {
        std::string name; // empty: the home itself
        unsigned before;
        unsigned after;
    };
    const std::vector<Item> items{
        {"", 0755, 0700},
        {"registry.db", 0644, 0600},
        {"naplo.txt", 0664, 0600},
        {"hangok", 0775, 0700},
        {"hangok/tada.wav", 0604, 0600},
        {"tool", 0751, 0700},
        {"private.txt", 0600, 0600},
        {"own-only.txt", 0400, 0400},
    };
    for (const Item& item : items) {
        if (!item.name.empty() && item.name != "hangok")
            writeFile(home / item.name, "x");
    }
    for (const Item& item : items)
        std::filesystem::permissions(home / item.name, std::filesystem::perms(item.before));
    std::filesystem::permissions(outside / "shared.txt", std::filesystem::perms(0644));

    std::vector<std::filesystem::path> tightened;
    ASSERT_TRUE(prepareDataHome(home, nullptr, &tightened));
    for (const Item& item : items)
        EXPECT_EQ(modeOf(home / item.name), item.after) << item.name;
    EXPECT_EQ(modeOf(outside / "shared.txt"), 0644u); // a link's target is not the program's
    std::vector<std::filesystem::path> expected;
    for (const Item& item : items) {
        if (item.before != item.after)
            expected.push_back(item.name.empty() ? home : home / item.name);
    }
    std::sort(tightened.begin(), tightened.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(tightened, expected);

    tightened.clear();
    ASSERT_TRUE(prepareDataHome(home, nullptr, &tightened));
    EXPECT_TRUE(tightened.empty());
}

TEST_F(DataHomeTest, AHomeThatIsALinkIsTightenedWhereItLeads) {
    std::filesystem::create_directories(parent / "elsewhere");
    writeFile(parent / "elsewhere" / "naplo.txt", "x");
    std::filesystem::permissions(parent / "elsewhere", std::filesystem::perms(0755));
    std::filesystem::permissions(parent / "elsewhere" / "naplo.txt", std::filesystem::perms(0644));
    std::filesystem::create_directory_symlink(parent / "elsewhere", parent / "vonalor");
    std::vector<std::filesystem::path> tightened;
    ASSERT_TRUE(prepareDataHome(parent / "vonalor", nullptr, &tightened));
    EXPECT_EQ(modeOf(parent / "elsewhere"), 0700u);
    EXPECT_EQ(modeOf(parent / "elsewhere" / "naplo.txt"), 0600u);
    EXPECT_EQ(tightened.size(), 2u);
}

TEST_F(DataHomeTest, ANewFileIsPrivateAndAnOldOneKeepsItsMode) {
    ASSERT_TRUE(writeFileAtomically(parent / "new.txt", "a"));
    EXPECT_EQ(modeOf(parent / "new.txt"), 0600u);
    writeFile(parent / "old.txt", "a");
    std::filesystem::permissions(parent / "old.txt", std::filesystem::perms(0640));
    ASSERT_TRUE(writeFileAtomically(parent / "old.txt", "b"));
    EXPECT_EQ(modeOf(parent / "old.txt"), 0640u);
}

struct CtlDataHomeTest : DataHomeTest {
    std::filesystem::path home = parent / "vonalor";
    CommandResult ctl(const std::string& arguments) { return runCtl(home, arguments); }
};

TEST_F(CtlDataHomeTest, WhatTheProgramMakesIsTheUsersAlone) {
    for (const char* setting : {"ElsoInditas 0", "KezdoDatum 2004.10.01.", "VegDatum 2004.11.01."})
        ASSERT_EQ(ctl(std::string("set ") + setting).exitCode, 0);
    ASSERT_EQ(ctl("simulate Otthon --at '2004.10.20. 9:00:00' --seconds 3 --book").exitCode, 0);
    EXPECT_EQ(modeOf(home), 0700u);
    for (const char* name : {"registry.db", "naplo.txt", "sim-phonebook.txt", "ProgramNaplo.sav"})
        EXPECT_EQ(modeOf(home / name), 0600u) << name;
    EXPECT_EQ(ctl("program-log").out.find("jogosultságai"), std::string::npos);
}

TEST_F(CtlDataHomeTest, AnOpenHomeIsTightenedAtStartWithOneProgramLogEntry) {
    ASSERT_EQ(ctl("set Nev Kovacs").exitCode, 0);
    std::filesystem::permissions(home, std::filesystem::perms(0755));
    std::filesystem::permissions(home / "registry.db", std::filesystem::perms(0644));
    writeFile(home / "naplo.txt", "");
    std::filesystem::permissions(home / "naplo.txt", std::filesystem::perms(0644));

    const std::string log = ctl("program-log").out;
    EXPECT_EQ(modeOf(home), 0700u);
    EXPECT_EQ(modeOf(home / "registry.db"), 0600u);
    EXPECT_EQ(modeOf(home / "naplo.txt"), 0600u);
    const std::string entry = "\t10\tAz adatmappa jogosultságai szigorítva: " + home.string() + "\n";
    EXPECT_NE(log.find(entry), std::string::npos) << log;
    const std::string again = ctl("program-log").out;
    EXPECT_EQ(again.find(entry), again.rfind(entry)) << again;
}

} // namespace
} // namespace vonalor::test
