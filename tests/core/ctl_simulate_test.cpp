#include "test_support.h"

#include <sstream>

namespace vonalor::test {
namespace {

struct CtlSimulateTest : ::testing::Test {
    TempHome home;
    CommandResult ctl(const std::string& arguments, bool withErrors = false) {
        return runCtl(home.path(), arguments, withErrors ? CtlStreams::OutAndErrors : CtlStreams::Out);
    }
    void tariffs() {
        for (const char* v : {"HetKozDelelott 6", "HetKozDelutan 4", "HetKozEjjel 2", "HetVegDelelott 4",
                              "HetVegDelutan 4", "HetVegEjjel 3"}) {
            const std::string text = v;
            ctl("set Otthon" + text.substr(0, text.find(' ')) + " " + text.substr(text.find(' ') + 1));
        }
    }
};

TEST_F(CtlSimulateTest, ASixForintSecondWithAFeeOfTwentyReadsTwentyTen) {
    tariffs();
    const CommandResult run = ctl("simulate Otthon --at '2004.10.20. 9:00:00' --seconds 2 --fee 20");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "00:00:08\tCsatlakoztatva\t20,10\t20,10\t20,1\tCsatlakoztatva : Otthon  -  Percdíj : 6\n"
              "00:00:09\tCsatlakoztatva\t20,20\t20,20\t20,2\tCsatlakoztatva : Otthon  -  Percdíj : 6\n");
}

TEST_F(CtlSimulateTest, TwoHoursFromFridayEveningCrossTheBandAndTheRealHomeStaysAsItWas) {
    tariffs();
    const std::string before = ctl("values").out;
    const CommandResult run = ctl("simulate Otthon --at '2004.10.22. 17:30:00' --seconds 7200 --every 1800");
    EXPECT_EQ(run.exitCode, 0);
    const std::vector<std::string> lines = [&] {
        std::vector<std::string> out;
        std::istringstream in(run.out);
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].substr(0, 9), "00:30:07\t");
    EXPECT_NE(lines[0].find("Percdíj : 4"), std::string::npos); // 18:00 has passed: the evening band
    EXPECT_EQ(lines[3].substr(0, 9), "02:00:07\t");
    EXPECT_EQ(ctl("values").out, before);
    EXPECT_FALSE(std::filesystem::exists(home / "naplo.txt"));
}

TEST_F(CtlSimulateTest, BookingWritesTheSessionIntoTheDataHomeAsTheProgramWould) {
    ctl("set ElsoInditas 0");
    ctl("set KezdoDatum 2004.10.01.");
    ctl("set VegDatum 2004.11.01.");
    writeFile(home / "OtthonDiagram.ini", "2004.10.19.-[0](0){0}\r\n2004.10.20.-[1,5](2){0}\r\n");
    tariffs();
    const CommandResult run =
        ctl("simulate Otthon --at '2004.10.20. 9:00:00' --seconds 53 --fee 20 --every 100 --book");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    // 53 seconds from 00:00:07: the first minute costs the tariff, 6, and the fee is 20.
    EXPECT_EQ(ctl("totals Otthon").out, "Otthon\t1\t00:01:00\t26\t31800\t254400\n");
    EXPECT_EQ(ctl("daily Otthon --from 2004.10.20. --to 2004.10.20.").out, "2004.10.20.\t27,5\t3\t0,24\n");
    const std::string log = ctl("log").out;
    EXPECT_EQ(log.rfind("2004.10.20. 9:00:00 -- 2004.10.20. 9:00:53 internetezés adatai:", 0), 0u) << log;
    EXPECT_NE(ctl("program-log").out.find("\"Otthon\" szétkapcsolva!"), std::string::npos);
}

// A home prepared on the command line keeps its tariff and total through the first start.
TEST_F(CtlSimulateTest, AFirstStartWhileBookingKeepsWhatTheHomeAlreadyHolds) {
    ctl("set 'Otthon NetHetKozDelelott' 6");
    ctl("set 'Otthon NetOsszKoltseg' 4325,5");
    const CommandResult run =
        ctl("simulate 'Otthon Net' --at '2004.10.25. 9:05:31' --seconds 5 --every 100 --book");
    EXPECT_EQ(run.exitCode, 0);
    // 12 seconds at 6 Ft a minute on top of the total.
    EXPECT_EQ(ctl("totals 'Otthon Net'").out.substr(0, 27), "Otthon Net\t1\t00:00:12\t4326\t");
}

// Ending in the first second of the second minute, when the display shows the bare tariff.
TEST_F(CtlSimulateTest, ASessionEndingInItsSixtyFirstSecondIsBookedWithItsFee) {
    ctl("set ElsoInditas 0");
    ctl("set KezdoDatum 2004.10.01.");
    ctl("set VegDatum 2004.11.01.");
    tariffs();
    EXPECT_EQ(
        ctl("simulate Otthon --at '2004.10.20. 10:00:00' --seconds 54 --fee 20 --every 100 --book").exitCode,
        0);
    const std::string totals = ctl("totals Otthon").out;
    EXPECT_EQ(totals.substr(0, 23), "Otthon\t1\t00:01:01\t26,1\t") << totals;
    EXPECT_NE(ctl("log").out.find("Kapcsolat költsége.................................:  26,1"),
              std::string::npos);
}

TEST_F(CtlSimulateTest, ANewConnectionKeepsItsFeeWhenTheProgramMeetsIt) {
    for (const char* book : {"", " --book"}) {
        const CommandResult run =
            ctl(std::string("simulate 'Új net' --at '2004.10.20. 9:00:00' --seconds 1 --fee 20") + book);
        EXPECT_EQ(run.exitCode, 0) << book;
        // One second at the new record's 1 Ft a minute, and the fee.
        EXPECT_EQ(run.out.rfind("00:00:08\tCsatlakoztatva\t20,01\t", 0), 0u) << book << run.out;
    }
}

TEST_F(CtlSimulateTest, ABrokenTariffFailsWithTheProgramsOwnText) {
    storeRaw(home.path(), "OtthonHetKozDelelott", "4.5");
    const CommandResult run = ctl("simulate Otthon --at '2004.10.20. 9:00:00' --seconds 3", true);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("A költség/idő számításában hiba történt"), std::string::npos);
}

TEST_F(CtlSimulateTest, BadOptionsAreUsageErrors) {
    for (const char* arguments :
         {"simulate Otthon --seconds 3", "simulate Otthon --at '2004.13.01. 9:00:00' --seconds 3",
          "simulate Otthon --at '2004.10.20. 9:00:00' --seconds 0",
          "simulate Otthon --at '2004.10.20. 9:00:00' --seconds 3 --fee 2.5",
          "simulate Otthon --at '2004.10.20. 9:00:00' --seconds 3 --bogus 1"})
        EXPECT_EQ(ctl(arguments).exitCode, 2) << arguments;
}

} // namespace
} // namespace vonalor::test
