// vonalorctl totals, daily and log over a data home the books were written into.

#include "test_support.h"

#include "settings/connection_record.h"
#include "stats/daily_statistics.h"

namespace vonalor::test {
namespace {

struct BooksCtl : CoreFixture {
    BooksCtl() { writeFile(home / "sim-phonebook.txt", "entry Otthon\nentry Munka hely\n"); }

    CommandResult ctl(const std::string& arguments) const { return runCtl(home.path(), arguments); }
    CommandResult ctlErrors(const std::string& arguments) const {
        return runCtl(home.path(), arguments, CtlStreams::ErrorsOnly);
    }
    void record(const std::string& name, const char* count, const char* h, const char* m, const char* s,
                const char* cost, const char* sent, const char* received) {
        CreateConnectionRecord(store, name);
        store.WriteSetting(name + "KapcsSzama", count);
        store.WriteSetting(name + "OsszOra", h);
        store.WriteSetting(name + "OsszPerc", m);
        store.WriteSetting(name + "OsszMPerc", s);
        store.WriteSetting(name + "OsszKoltseg", cost);
        store.WriteSetting(name + "KuldottBajt", sent);
        store.WriteSetting(name + "FogadottBajt", received);
    }
};

TEST_F(BooksCtl, TotalsPrintOneLinePerConnection) {
    record("Otthon", "3", "12", "05", "17", "4325,5", "215304", "3000000000");
    record("Munka hely", "0", "00", "00", "00", "0", "0", "0");
    const std::string otthon = "Otthon\t3\t12:05:17\t4325,5\t215304\t3000000000\n";
    EXPECT_EQ(ctl("totals").out, otthon + "Munka hely\t0\t00:00:00\t0\t0\t0\n");
    EXPECT_EQ(ctl("totals Otthon").out, otthon);
    EXPECT_EQ(ctl("totals 'Munka hely'").exitCode, 0);

    EXPECT_EQ(ctl("totals Mobil").exitCode, 1);
    EXPECT_EQ(ctlErrors("totals Mobil").out, "vonalorctl: Mobil has no connection record\n");
    EXPECT_EQ(ctl("totals Otthon Mobil").exitCode, 2);
    EXPECT_EQ(ctl("totals --all").exitCode, 2);
}

TEST_F(BooksCtl, AnEntryWithoutARecordFailsButTheOthersArePrinted) {
    record("Otthon", "1", "00", "01", "00", "2", "10", "20");
    const CommandResult result = ctl("totals");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Otthon\t1\t00:01:00\t2\t10\t20\n");
}

TEST_F(BooksCtl, DailyPrintsTheLinesInTheRange) {
    ASSERT_TRUE(CreateDailyStatistics(home.path(), "Otthon", Date{2004, 10, 24}));
    AddDailyStatistics(home.path(), "Otthon", "147,3", "41,26", "3,51", Date{2004, 10, 25});
    const struct {
        const char* arguments;
        const char* out;
    } cases[] = {
        {"daily Otthon --from 2004.10.24. --to 2004.10.26.",
         "2004.10.24.\t0\t0\t0\n2004.10.25.\t147,3\t41,26\t3,51\n2004.10.26.\t0\t0\t0\n"},
        {"daily --to=2004.10.25 --from=2004.10.25 Otthon", "2004.10.25.\t147,3\t41,26\t3,51\n"},
        {"daily Otthon --to 2004.10.24.", "2004.10.24.\t0\t0\t0\n"},
        {"daily Otthon --from 2007.07.20.", "2007.07.20.\t0\t0\t0\n2007.07.21.\t0\t0\t0\n"},
        {"daily Otthon --from 2008.01.01.", ""},
    };
    for (const auto& c : cases) {
        const CommandResult result = ctl(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << c.arguments;
        EXPECT_EQ(result.out, c.out) << c.arguments;
    }
    const std::string all = ctl("daily Otthon").out;
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 1001);
}

TEST_F(BooksCtl, DailyReportsBadArgumentsAndFiles) {
    ASSERT_TRUE(CreateDailyStatistics(home.path(), "Otthon", Date{2004, 10, 24}));
    const struct {
        const char* arguments;
        int exitCode;
        const char* error;
    } cases[] = {
        {"daily", 2, "vonalorctl: usage: vonalorctl daily CONNECTION [--from DATE] [--to DATE]\n"},
        {"daily Otthon --from 2004.13.01.", 2,
         "vonalorctl: --from takes a date of the form YYYY.MM.DD. (2004.10.25.), not '2004.13.01.'\n"},
        {"daily Otthon --to", 2, "vonalorctl: --to needs a value\n"},
        {"daily Otthon --since 2004.10.24.", 2,
         "vonalorctl: daily has no option --since (it takes --from and --to)\n"},
        {"daily Otthon --from 2004.10.26. --to 2004.10.25.", 2,
         "vonalorctl: --from 2004.10.26. lies after --to 2004.10.25.\n"},
        {"daily Otthon Mobil", 2,
         "vonalorctl: daily needs exactly one CONNECTION whose daily statistics to print\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ctl(c.arguments).exitCode, c.exitCode) << c.arguments;
        const std::string error = ctlErrors(c.arguments).out;
        EXPECT_EQ(error.substr(0, error.find('\n') + 1), c.error) << c.arguments;
    }
    EXPECT_EQ(ctl("daily Mobil").exitCode, 1);
    EXPECT_EQ(ctlErrors("daily Mobil").out,
              "vonalorctl: " + (home / "MobilDiagram.ini").string() + ": no such file\n");

    writeFile(home / "MobilDiagram.ini", "2004.10.24.-[1](2){3}\r\nszemét\r\n2004.10.25.-[4](5){6}\r\n");
    const CommandResult broken = ctl("daily Mobil");
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out, "2004.10.24.\t1\t2\t3\n2004.10.25.\t4\t5\t6\n");
    EXPECT_EQ(ctlErrors("daily Mobil").out, "vonalorctl: " + (home / "MobilDiagram.ini").string() +
                                                ":2: not a daily statistics line: szemét\n");
}

TEST_F(BooksCtl, LogPrintsTheSessionLogOrAnArchiveInUtf8) {
    writeFile(home / "naplo.txt", "Kapcsolat \xF6sszk\xF6lts\xE9ge: 142 Ft\r\n \r\n");
    std::filesystem::create_directory(home / "Naplo");
    writeFile(home / "Naplo" / "2004.10.25. - 2004.11.25..txt", "r\xE9gi\r\n");
    writeFile(home / "Naplo" / "2004.11.25. - 2004.12.25.txt", "UTF-8 is read as it is: ő\n");

    EXPECT_EQ(ctl("log").out, "Kapcsolat összköltsége: 142 Ft\n \n");
    EXPECT_EQ(ctl("log --archive '2004.10.25. - 2004.11.25..txt'").out, "régi\n");
    EXPECT_EQ(ctl("log --archive '2004.10.25. - 2004.11.25.'").out, "régi\n");
    EXPECT_EQ(ctl("log --archive='2004.11.25. - 2004.12.25'").out, "UTF-8 is read as it is: ő\n");

    EXPECT_EQ(ctl("log --archive 2003.01.01.").exitCode, 1);
    EXPECT_EQ(ctlErrors("log --archive 2003.01.01.").out,
              "vonalorctl: " + (home / "Naplo" / "2003.01.01..txt").string() + ": no such file\n");
    for (const char* unsafe : {"../registry.db", "..", "/etc/passwd", "''"})
        EXPECT_EQ(ctl(std::string("log --archive ") + unsafe).exitCode, 2) << unsafe;
    EXPECT_EQ(ctl("log naplo.txt").exitCode, 2);

    std::filesystem::remove(home / "naplo.txt");
    EXPECT_EQ(ctl("log").exitCode, 1);
    EXPECT_EQ(ctlErrors("log").out, "vonalorctl: " + (home / "naplo.txt").string() + ": no such file\n");
}

} // namespace
} // namespace vonalor::test
