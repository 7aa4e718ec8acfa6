#include "test_support.h"

#include "platform/atomic_file.h"
#include "tasks/list_view_file.h"

#include <algorithm>

namespace vonalor::test {
namespace {

using ListViewFileTest = CoreFixture;

const ListRows fixtureRows = {
    {"Kikapcsolás", {"2004.10.25.", "23:30:00", "Minden nap", "Otthon", "", "Ő ű"}, 4},
    {"", {}, 0},
};

TEST_F(ListViewFileTest, EmptyListIsTheFiveBytesLvfZeroZero) {
    ASSERT_TRUE(SaveListViewFile({}, home / "Feladatok.sav", log));
    EXPECT_EQ(readFile(home / "Feladatok.sav"), std::string("LVF\0\0", 5));
    ListRows rows = {{"old", {}, 1}};
    ASSERT_TRUE(LoadListViewFile(rows, home / "Feladatok.sav", dialogs, log));
    EXPECT_TRUE(rows.empty());
}

TEST_F(ListViewFileTest, RowsAreWrittenByteForByteInTheAnsiCodePage) {
    ASSERT_TRUE(SaveListViewFile(fixtureRows, home / "Feladatok.sav", log));
    EXPECT_EQ(readFile(home / "Feladatok.sav"), readFile(std::filesystem::path(VONALOR_TEST_DATA_DIR) / "task_rows.lvf"));
}

TEST_F(ListViewFileTest, ATaskRowWithSixSubItemsAndImageFourRoundTrips) {
    ASSERT_TRUE(SaveListViewFile(fixtureRows, home / "Feladatok.sav", log));
    ListRows loaded;
    ASSERT_TRUE(LoadListViewFile(loaded, home / "Feladatok.sav", dialogs, log));
    EXPECT_EQ(loaded, fixtureRows);
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(ListViewFileTest, AForeignMarkerShowsTheIoErrorBoxAndLeavesTheListAlone) {
    writeFile(home / "Feladatok.sav", "XYZ\x01\x00");
    ListRows rows = {{"megmarad", {"1"}, 2}};
    EXPECT_FALSE(LoadListViewFile(rows, home / "Feladatok.sav", dialogs, log));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].caption, "I/O Error");
    EXPECT_EQ(dialogs.shown()[0].text, "\"Feladatok.sav\" fájl mentése sikertelen!");
    EXPECT_EQ(dialogs.shown()[0].style, mb::IconStop | mb::Ok);
    EXPECT_EQ(rows, (ListRows{{"megmarad", {"1"}, 2}}));
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(ListViewFileTest, ACutFileKeepsTheRowsReadBeforeTheCutAndLogsTheError) {
    const std::string whole = readFile(std::filesystem::path(VONALOR_TEST_DATA_DIR) / "task_rows.lvf");
    writeFile(home / "Feladatok.sav", whole.substr(0, whole.size() - 12));
    ListRows rows;
    EXPECT_FALSE(LoadListViewFile(rows, home / "Feladatok.sav", dialogs, log));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].caption, "Kikapcsolás");
    EXPECT_EQ(logTexts(), std::vector<std::string>{"Feladatok/Programnapló betöltési hiba!"});
}

TEST_F(ListViewFileTest, AnUnreadableFileLeavesTheListAndLogsTheError) {
    ListRows rows = {{"megmarad", {}, 0}};
    EXPECT_FALSE(LoadListViewFile(rows, home / "nincs.sav", dialogs, log));
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(logTexts(), std::vector<std::string>{"Feladatok/Programnapló betöltési hiba!"});
}

TEST_F(ListViewFileTest, AFailedWriteKeepsTheOldFileAndLogsTheError) {
    ASSERT_TRUE(SaveListViewFile(fixtureRows, home / "Feladatok.sav", log));
    EXPECT_FALSE(SaveListViewFile(fixtureRows, home / "nincs-ilyen-mappa" / "Feladatok.sav", log));
    EXPECT_EQ(logTexts(), std::vector<std::string>{"Feladatok/Programnapló írási hiba!"});
    EXPECT_EQ(readFile(home / "Feladatok.sav"), readFile(std::filesystem::path(VONALOR_TEST_DATA_DIR) / "task_rows.lvf"));
}

TEST(ListViewFileDecode, StopsAtTheEndOfTheDataWhateverTheCountSays) {
    const std::string cases[] = {
        std::string("LVF", 3),
        std::string("LVF\x05", 4),
        std::string("LVF\x02\x00\x00\x00\x01\x00\x00\x00\x01\x00" "A", 14),
        std::string("LVF\x01\x00\x03\x00\x01\x00\x00\x00\x00\x00\x02\x00" "ab\xff\xff", 18),
    };
    for (const std::string& bytes : cases) {
        const DecodedList decoded = decodeListViewFile(bytes);
        EXPECT_TRUE(decoded.markerOk);
        EXPECT_FALSE(decoded.complete);
        EXPECT_LE(decoded.rows.size(), 1u);
    }
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

TEST_F(ListViewFileTest, AFolderInThePlaceOfTheFileIsAReadErrorNotACrash) {
    std::filesystem::create_directories(home / "Feladatok.sav");
    ListRows rows = {{"megmarad", {}, 0}};
    EXPECT_FALSE(LoadListViewFile(rows, home / "Feladatok.sav", dialogs, log));
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(logTexts(), std::vector<std::string>{"Feladatok/Programnapló betöltési hiba!"});
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

TEST(AtomicFileTest, OnlyTheLeftoversOfCutWritesAreSweptAway) {
    TempHome home;
    for (const char* name : {"naplo.txt.tmpAb12Cd", "Feladatok.sav.tmpXXXXXX", "naplo.txt", "notes.tmp", "a.tmp1",
                             "x.tmpABCDEFG"})
        writeFile(home / name, "x");
    removeStaleTemporaryFiles(home.path());
    std::vector<std::string> left;
    for (const auto& item : std::filesystem::directory_iterator(home.path()))
        left.push_back(item.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"a.tmp1", "naplo.txt", "notes.tmp", "x.tmpABCDEFG"}));
}

} // namespace
} // namespace vonalor::test
