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
    EXPECT_EQ(readFile(home / "Feladatok.sav"),
              readFile(std::filesystem::path(VONALOR_TEST_DATA_DIR) / "task_rows.lvf"));
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
    EXPECT_EQ(logTexts(),
              std::vector<std::string>{"A sérült vagy olvashatatlan \"Feladatok.sav\" fájl megőrizve "
                                       "\"Feladatok.sav.serult-20041020-090000\" néven, új lista kezdődik."});
}

TEST_F(ListViewFileTest, ACutFileKeepsTheRowsReadBeforeTheCutAndLogsTheError) {
    const std::string whole = readFile(std::filesystem::path(VONALOR_TEST_DATA_DIR) / "task_rows.lvf");
    writeFile(home / "Feladatok.sav", whole.substr(0, whole.size() - 12));
    ListRows rows;
    EXPECT_FALSE(LoadListViewFile(rows, home / "Feladatok.sav", dialogs, log));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].caption, "Kikapcsolás");
    ASSERT_EQ(logTexts().size(), 2u);
    EXPECT_EQ(logTexts()[0], "Feladatok/Programnapló betöltési hiba!");
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
    EXPECT_EQ(readFile(home / "Feladatok.sav"),
              readFile(std::filesystem::path(VONALOR_TEST_DATA_DIR) / "task_rows.lvf"));
}

TEST(ListViewFileDecode, StopsAtTheEndOfTheDataWhateverTheCountSays) {
    const std::string cases[] = {
        std::string("LVF", 3),
        std::string("LVF\x05", 4),
        std::string("LVF\x02\x00\x00\x00\x01\x00\x00\x00\x01\x00"
                    "A",
                    14),
        std::string("LVF\x01\x00\x03\x00\x01\x00\x00\x00\x00\x00\x02\x00"
                    "ab\xff\xff",
                    18),
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
    ASSERT_EQ(logTexts().size(), 2u);
    EXPECT_EQ(logTexts()[0], "Feladatok/Programnapló betöltési hiba!");
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

const std::filesystem::path dataDir = VONALOR_TEST_DATA_DIR;

// What stands in a list file's place; a folder is compared by what it holds.
std::string snapshot(const std::filesystem::path& place) {
    if (std::filesystem::is_directory(place))
        return "mappa: " + readFile(place / "benne.txt");
    return readFile(place);
}

std::string asideEntry(const std::string& name, const std::string& asideName) {
    return "A sérült vagy olvashatatlan \"" + name + "\" fájl megőrizve \"" + asideName +
           "\" néven, új lista kezdődik.";
}

struct Damage {
    const char* name;
    void (*make)(const std::filesystem::path& file);
    bool box;             // the "I/O Error" box of a foreign marker
    bool loadError;       // the load error entry of a read that failed or stopped short
    std::size_t rowsKept; // rows read before the damage
};

const Damage damages[] = {
    {"ForeignMarker", [](const std::filesystem::path& f) { writeFile(f, std::string("XYZ\x01\x00", 5)); },
     true, false, 0},
    {"EmptyFile", [](const std::filesystem::path& f) { writeFile(f, ""); }, true, false, 0},
    {"Folder",
     [](const std::filesystem::path& f) {
         std::filesystem::create_directories(f);
         writeFile(f / "benne.txt", "tartalom");
     },
     false, true, 0},
    {"CutShort",
     [](const std::filesystem::path& f) {
         const std::string whole = readFile(dataDir / "task_rows.lvf");
         writeFile(f, whole.substr(0, whole.size() - 12));
     },
     false, true, 1},
    {"BytesAfterTheLastRow",
     [](const std::filesystem::path& f) { writeFile(f, readFile(dataDir / "task_rows.lvf") + "\x07\x07"); },
     false, true, 2},
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

struct DamagedListFileTest : CoreFixture, ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedListFileTest, TheTaskListIsSetAsideAndTheSaveStartsANewFile) {
    const Damage& damage = GetParam();
    const std::filesystem::path file = home / "Feladatok.sav";
    damage.make(file);
    const std::string before = snapshot(file);

    ListRows rows;
    EXPECT_FALSE(LoadListViewFile(rows, file, dialogs, log));
    EXPECT_EQ(rows.size(), damage.rowsKept);
    EXPECT_EQ(dialogs.shown().size(), damage.box ? 1u : 0u);
    const std::filesystem::path aside = home / "Feladatok.sav.serult-20041020-090000";
    EXPECT_EQ(snapshot(aside), before);
    ASSERT_EQ(log.entries().size(), damage.loadError ? 2u : 1u);
    EXPECT_EQ(log.entries().back().subItems.at(0), asideEntry("Feladatok.sav", aside.filename().string()));
    EXPECT_EQ(log.entries().back().imageIndex, ProgramLog::Error);

    rows.push_back({"Bontás", {"12:00:00", "", "", "", "", ""}, 1});
    ASSERT_TRUE(SaveListViewFile(rows, file, log));
    ListRows saved;
    ASSERT_TRUE(LoadListViewFile(saved, file, dialogs, log));
    EXPECT_EQ(saved, rows);
    EXPECT_EQ(snapshot(aside), before);
}

TEST_P(DamagedListFileTest, TheProgramLogIsSetAsideAndThisRunsEntriesStartANewFile) {
    const Damage& damage = GetParam();
    const std::filesystem::path file = home / "ProgramNaplo.sav";
    damage.make(file);
    const std::string before = snapshot(file);

    log.AddProgramLogEntry(ProgramLog::Event, "Vonalor 1.3 elindítva!");
    EXPECT_TRUE(log.SaveProgramLog(file, dialogs));
    const std::filesystem::path aside = home / "ProgramNaplo.sav.serult-20041020-090000";
    EXPECT_EQ(snapshot(aside), before);
    ListRows saved;
    ProgramLog scratch(time);
    ASSERT_TRUE(LoadListViewFile(saved, file, dialogs, scratch));
    ASSERT_EQ(saved.size(), damage.rowsKept + (damage.loadError ? 1u : 0u) + 2u);
    EXPECT_EQ(saved[saved.size() - 2].subItems.at(0),
              asideEntry("ProgramNaplo.sav", aside.filename().string()));
    EXPECT_EQ(saved.back().subItems.at(0), "Vonalor 1.3 elindítva!");
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedListFileTest, ::testing::ValuesIn(damages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListViewFileTest, AnEarlierCopySetAsideIsNeverReplaced) {
    const std::filesystem::path file = home / "Feladatok.sav";
    const std::string base = "Feladatok.sav.serult-20041020-090000";
    writeFile(home / base, "korábbi");
    for (const char* damaged : {"XYZ első", "XYZ második"}) {
        writeFile(file, damaged);
        ListRows rows;
        EXPECT_FALSE(LoadListViewFile(rows, file, dialogs, log));
    }
    EXPECT_EQ(readFile(home / base), "korábbi");
    EXPECT_EQ(readFile(home / (base + "-2")), "XYZ első");
    EXPECT_EQ(readFile(home / (base + "-3")), "XYZ második");
    ASSERT_FALSE(logTexts().empty());
    EXPECT_EQ(logTexts().back(), asideEntry("Feladatok.sav", base + "-3"));
}

// A name so long that the name of its copy aside exceeds what the file system allows: the
// rename fails while the file itself stays readable and writable.
TEST_F(ListViewFileTest, ADamagedFileThatCannotBeSetAsideIsNeverOverwritten) {
    const std::string name(240, 'F');
    const std::filesystem::path file = home / name;
    writeFile(file, "XYZ sérült");

    ListRows rows;
    EXPECT_FALSE(LoadListViewFile(rows, file, dialogs, log));
    ASSERT_FALSE(logTexts().empty());
    EXPECT_EQ(logTexts().back().rfind(
                  "A sérült vagy olvashatatlan \"" + name + "\" fájlt nem sikerült félretenni (", 0),
              0u)
        << logTexts().back();
    EXPECT_EQ(log.entries().back().imageIndex, ProgramLog::Error);
    EXPECT_FALSE(SaveListViewFile({{"új", {}, 0}}, file, log));
    EXPECT_EQ(readFile(file), "XYZ sérült");
    EXPECT_EQ(logTexts().back(),
              "\"" + name + "\" nem lett mentve: a sérült fájlt a program nem írja felül.");

    // The program log's own save at close takes the same care.
    ProgramLog closing(time);
    closing.AddProgramLogEntry(ProgramLog::Event, "Vonalor 1.3 elindítva!");
    EXPECT_FALSE(closing.SaveProgramLog(file, dialogs));
    EXPECT_EQ(readFile(file), "XYZ sérült");
    EXPECT_EQ(closing.entries().back().subItems.at(0),
              "\"" + name + "\" nem lett mentve: a sérült fájlt a program nem írja felül.");
}

// Windows-1250 pairs that also read as UTF-8 must stay two characters, or a save writes
// different bytes; the five bytes the code page leaves undefined stay the C1 controls of the
// same number, which encode back to those bytes.
TEST(ListViewFileDecode, TextsAreWindows1250EvenWhereTheyLookLikeUtf8) {
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"\xC3\xA9", "Ă©"},
        {"\xC5\x91", "Ĺ‘"},
        {std::string("\xEF\xBB\xBF") + "A", "ď»żA"},
        {"\xE9\xF5\xFB", "éőű"},
        {"\x81\x83\x88\x90\x98", "\u0081\u0083\u0088\u0090\u0098"},
    };
    for (const auto& c : cases) {
        std::string file("LVF\x01\x00\x00\x00\x00\x00\x00\x00", 11);
        file += static_cast<char>(c.bytes.size());
        file += '\0';
        file += c.bytes;
        const DecodedList decoded = decodeListViewFile(file);
        ASSERT_TRUE(decoded.complete) << c.text;
        EXPECT_EQ(decoded.rows.at(0).caption, c.text);
        EXPECT_EQ(encodeListViewFile(decoded.rows), file) << c.text;
    }
}

TEST_F(ListViewFileTest, EveryByteOfTheCodePageSurvivesALoadAndASave) {
    const std::string original = readFile(dataDir / "cp1250_every_byte.lvf");
    writeFile(home / "Feladatok.sav", original);
    ListRows rows;
    ASSERT_TRUE(LoadListViewFile(rows, home / "Feladatok.sav", dialogs, log));
    ASSERT_TRUE(SaveListViewFile(rows, home / "Feladatok.sav", log));
    EXPECT_EQ(readFile(home / "Feladatok.sav"), original);
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(ListViewFileTest, WhatTheSixteenBitFieldsCannotHoldIsCutAndTheCutLogged) {
    const struct {
        const char* name;
        ListRows rows;
        std::size_t rowsWritten;
        const char* logged;
    } cases[] = {
        {"rows", ListRows(MaxListViewCount + 2, ListRow{"Bontás", {"12:00:00"}, 1}), MaxListViewCount,
         "\"Feladatok.sav\" mentése csonka: a fájlformátum korlátai miatt kimaradt 2 sor."},
        {"sub-items", ListRows{ListRow{"Bontás", std::vector<std::string>(MaxListViewCount + 1, "x"), 1}}, 1,
         "\"Feladatok.sav\" mentése csonka: a fájlformátum korlátai miatt kimaradt 1 oszlop."},
        {"text", ListRows{ListRow{std::string(MaxListViewCount + 5, 'a'), {"b", std::string(70000, 'c')}, 1}},
         1, "\"Feladatok.sav\" mentése csonka: a fájlformátum korlátai miatt kimaradt 2 szöveg vége."},
    };
    for (const auto& c : cases) {
        ProgramLog caseLog(time);
        ASSERT_TRUE(SaveListViewFile(c.rows, home / "Feladatok.sav", caseLog)) << c.name;
        ListRows saved;
        ASSERT_TRUE(LoadListViewFile(saved, home / "Feladatok.sav", dialogs, caseLog)) << c.name;
        EXPECT_EQ(saved.size(), c.rowsWritten) << c.name;
        ASSERT_EQ(caseLog.entries().size(), 1u) << c.name;
        EXPECT_EQ(caseLog.entries()[0].subItems.at(0), c.logged);
    }
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

TEST(AtomicFileTest, OnlyTheLeftoversOfCutWritesAreSweptAway) {
    TempHome home;
    for (const char* name : {"naplo.txt.tmpAb12Cd", "Feladatok.sav.tmpXXXXXX", "naplo.txt", "notes.tmp",
                             "a.tmp1", "x.tmpABCDEFG"})
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
