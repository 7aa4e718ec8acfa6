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
    const std::vector<std::string> texts = {"Vonalor 1.3 elindítva!", "első hiba", "első hiba",
                                            "Vonalor 1.3 elindítva!", "második hiba", "második hiba"};
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].subItems.at(0), texts[i]);
    EXPECT_EQ(rows[0].caption, "2004.10.20.-9:00:00");
    EXPECT_EQ(rows[3].caption, "2004.10.20.-9:01:01");
    EXPECT_EQ(rows[1].imageIndex, ProgramLog::Error);
}

TEST_F(ProgramLogTest, AForeignLogFileIsReplacedByThisRunsEntriesAfterTheBox) {
    writeFile(home / "ProgramNaplo.sav", "idegen tartalom");
    run("egyetlen");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, "\"ProgramNaplo.sav\" fájl mentése sikertelen!");
    EXPECT_EQ(fileRows().size(), 3u);
}

TEST_F(ProgramLogTest, AFailedWriteIsRecordedInTheInMemoryLogOnly) {
    log.AddProgramLogEntry(ProgramLog::Event, "Vonalor 1.3 elindítva!");
    log.SaveProgramLog(home / "nincs-ilyen-mappa" / "ProgramNaplo.sav", dialogs);
    EXPECT_EQ(logTexts().back(), "Feladatok/Programnapló írási hiba!");
    EXPECT_FALSE(std::filesystem::exists(home / "nincs-ilyen-mappa"));
}

} // namespace
} // namespace vonalor::test
