#include "test_support.h"

namespace vonalor::test {
namespace {

struct ProgramLogTest : CoreFixture {
    // One run of the program: its own log, three entries, saved at close.
    void run(const std::string& tag) {
        ProgramLog runLog(time);
        runLog.AddProgramLogEntry(ProgramLog::Event, "Vonalor 1.3 elindítva!");
        time.advance(1000);
        runLog.AddProgramLogEntry(ProgramLog::Error, tag + " hiba");
        runLog.AddProgramLogEntry(ProgramLog::Error, tag + " hiba");
        EXPECT_EQ(runLog.entries().size(), 3u);
        runLog.SaveProgramLog(home / "ProgramNaplo.sav", dialogs);
        time.advance(60'000);
    }
    ListRows fileRows() {
        ListRows rows;
        ProgramLog scratch(time);
        LoadListViewFile(rows, home / "ProgramNaplo.sav", dialogs, scratch);
        return rows;
    }
};

TEST_F(ProgramLogTest, EntriesCarryTheTimeStampTextAndIcon) {
    time.advanceTo(DateTime{Date{2004, 10, 25}, TimeOfDay{9, 5, 31}});
    log.AddProgramLogEntry(ProgramLog::Event, "Vonalor 1.3 elindítva!");
    ASSERT_EQ(log.entries().size(), 1u);
    EXPECT_EQ(log.entries()[0], (ListRow{"2004.10.25.-9:05:31", {"Vonalor 1.3 elindítva!"}, 10}));
}

TEST_F(ProgramLogTest, TwoRunsLeaveSixEntriesOldestFirstWithRepeatsKept) {
    run("első");
    run("második");
    const ListRows rows = fileRows();
    ASSERT_EQ(rows.size(), 6u);
    const std::vector<std::string> texts = {"Vonalor 1.3 elindítva!", "első hiba",    "első hiba",
                                            "Vonalor 1.3 elindítva!", "második hiba", "második hiba"};
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].subItems.at(0), texts[i]);
    EXPECT_EQ(rows[0].caption, "2004.10.20.-9:00:00");
    EXPECT_EQ(rows[3].caption, "2004.10.20.-9:01:01");
    EXPECT_EQ(rows[1].imageIndex, ProgramLog::Error);
}

TEST_F(ProgramLogTest, AForeignLogFileIsKeptAsideAndANewOneHoldsThisRunsEntriesAfterTheBox) {
    writeFile(home / "ProgramNaplo.sav", "idegen tartalom");
    run("egyetlen");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, "\"ProgramNaplo.sav\" fájl mentése sikertelen!");
    EXPECT_EQ(readFile(home / "ProgramNaplo.sav.serult-20041020-090001"), "idegen tartalom");
    const ListRows rows = fileRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].subItems.at(0),
              "A sérült vagy olvashatatlan \"ProgramNaplo.sav\" fájl megőrizve "
              "\"ProgramNaplo.sav.serult-20041020-090001\" néven, új lista kezdődik.");
    EXPECT_EQ(rows[1].subItems.at(0), "Vonalor 1.3 elindítva!");
}

TEST_F(ProgramLogTest, AFailedWriteIsRecordedInTheInMemoryLogOnly) {
    log.AddProgramLogEntry(ProgramLog::Event, "Vonalor 1.3 elindítva!");
    EXPECT_FALSE(log.SaveProgramLog(home / "nincs-ilyen-mappa" / "ProgramNaplo.sav", dialogs));
    EXPECT_EQ(logTexts().back(), "Feladatok/Programnapló írási hiba!");
    EXPECT_FALSE(std::filesystem::exists(home / "nincs-ilyen-mappa"));
}

// A log that has reached the file's 65 535 rows goes on taking every run's entries: the
// oldest rows make room, and one row says how many went.
TEST_F(ProgramLogTest, AFullLogDropsItsOldestRowsForTheNewestAndSaysHowMany) {
    ListRows old;
    for (std::size_t i = 0; i < MaxListViewCount; ++i)
        old.push_back({"2004.01.01.-0:00:00", {"régi " + std::to_string(i)}, ProgramLog::Event});
    writeFile(home / "ProgramNaplo.sav", encodeListViewFile(old));

    const struct {
        const char* tag;
        const char* firstKept;
        const char* note;
    } runs[] = {
        {"első", "régi 4", "A programnapló megtelt: a 4 legrégebbi bejegyzés törölve."},
        {"második", "régi 8", "A programnapló megtelt: a 4 legrégebbi bejegyzés törölve."},
    };
    for (const auto& r : runs) {
        run(r.tag);
        const ListRows rows = fileRows();
        ASSERT_EQ(rows.size(), MaxListViewCount) << r.tag;
        EXPECT_EQ(rows.front().subItems.at(0), r.firstKept) << r.tag;
        const std::vector<std::string> newest = {"Vonalor 1.3 elindítva!", std::string(r.tag) + " hiba",
                                                 std::string(r.tag) + " hiba", r.note};
        for (std::size_t i = 0; i < newest.size(); ++i)
            EXPECT_EQ(rows[rows.size() - newest.size() + i].subItems.at(0), newest[i]) << r.tag;
        EXPECT_EQ(rows[rows.size() - 3].imageIndex, ProgramLog::Error) << r.tag;
    }
}

} // namespace
} // namespace vonalor::test
