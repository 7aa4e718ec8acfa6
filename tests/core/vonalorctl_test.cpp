#include "test_support.h"

namespace vonalor::test {
namespace {

struct CtlTest : ::testing::Test {
    TempHome home;
    CommandResult ctl(const std::string& arguments) { return runCtl(home.path(), arguments); }
};

TEST_F(CtlTest, AFreshHomeIsInstalledAndSettingsAreReadAndWritten) {
    EXPECT_EQ(ctl("get ElsoInditas").out, "1\n");
    EXPECT_EQ(ctl("set Nev 'árvíztűrő tükörfúrógép'").exitCode, 0);
    EXPECT_EQ(ctl("get NEV").out, "árvíztűrő tükörfúrógép\n");
    const CommandResult missing = ctl("get Nincs");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
}

TEST_F(CtlTest, ValuesListsTheProgramKeyInCreationOrder) {
    ctl("set Elso 1");
    ctl("set Masodik 'a|b'");
    ctl("set elso 3");
    const std::string out = ctl("values").out;
    EXPECT_NE(out.find("ElsoInditas|1\nElso|3\nMasodik|a|b\n"), std::string::npos) << out;
}

TEST_F(CtlTest, ListFilesArePrintedTabSeparated) {
    const auto fixture = std::filesystem::path(VONALOR_TEST_DATA_DIR) / "task_rows.lvf";
    const CommandResult dump = ctl("dump-list " + shellQuote(fixture.string()));
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_EQ(dump.out, "4\tKikapcsolás\t2004.10.25.\t23:30:00\tMinden nap\tOtthon\t\tŐ ű\n0\t\n");

    VirtualTime clock(DateTime{Date{2004, 10, 25}, TimeOfDay{9, 5, 31}});
    ProgramLog runLog(clock);
    runLog.AddProgramLogEntry(ProgramLog::Event, "Vonalor 1.3 elindítva!");
    runLog.AddProgramLogEntry(ProgramLog::Error, "Registry olvasási hiba(S: X)!");
    ScriptedDialogs dialogs;
    runLog.SaveProgramLog(home / "ProgramNaplo.sav", dialogs);
    EXPECT_EQ(ctl("program-log").out, "2004.10.25.-9:05:31\t10\tVonalor 1.3 elindítva!\n"
                                      "2004.10.25.-9:05:31\t9\tRegistry olvasási hiba(S: X)!\n");
}

TEST_F(CtlTest, BadUsageExitsTwoAndMissingOrForeignFilesExitOne) {
    const struct {
        const char* arguments;
        int exitCode;
    } cases[] = {
        {"", 2},
        {"bogus", 2},
        {"get", 2},
        {"set OnlyName", 2},
        {"values extra", 2},
        {"--platform windows values", 2},
        {"--frobnicate get X", 2},
        {"program-log", 1},
        {"dump-list /nonexistent/file.sav", 1},
        {"dump-list /etc/hostname", 1},
        {"--help", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ctl(c.arguments).exitCode, c.exitCode) << c.arguments;
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

TEST_F(CtlTest, EntriesAndDevicesOfTheSimulatorsPhonebook) {
    EXPECT_EQ(ctl("entries").out, "Otthon\nMunkahely\n");
    EXPECT_EQ(ctl("devices").out, "Standard 56000 bps Modem\tmodem\n");
    writeFile(home / "sim-phonebook.txt", "entry Otthon\n# megjegyzés\nentry  Új kapcsolat \r\nentry\n"
                                          "device isdn ISDN kártya\ndevice csak-típus\n");
    EXPECT_EQ(ctl("entries").out, "Otthon\nÚj kapcsolat\n");
    EXPECT_EQ(ctl("devices").out, "ISDN kártya\tisdn\n");
}

} // namespace
} // namespace vonalor::test
