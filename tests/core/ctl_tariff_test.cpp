#include "test_support.h"

namespace vonalor::test {
namespace {

struct CtlTariff : ::testing::Test {
    TempHome home;
    CommandResult ctl(const std::string& arguments) { return runCtl(home.path(), arguments); }
    // Standard error only, to check what a failure says.
    CommandResult ctlErrors(const std::string& arguments) {
        return runCtl(home.path(), arguments, CtlStreams::ErrorsOnly);
    }
    void writeTariffs(const std::string& connection) {
        const char* values[][2] = {{"HetKozDelelott", "6"}, {"HetKozDelutan", "4"}, {"HetKozEjjel", "2"},
                                   {"HetVegDelelott", "4"}, {"HetVegDelutan", "4"}, {"HetVegEjjel", "3"}};
        for (const auto& value : values)
            ASSERT_EQ(ctl("set " + shellQuote(connection + value[0]) + " " + value[1]).exitCode, 0);
    }
};

TEST_F(CtlTariff, CostPricesTheSpanOnTheGivenDateWithTheConnectionsTariffs) {
    writeTariffs("Otthon");
    const struct {
        const char* arguments;
        const char* out;
    } cases[] = {
        {"cost Otthon --date 2004.10.20. --from 16:30:00 --to 19:15:30", "842\n"},
        {"cost Otthon --date 2004.10.20. --from 6:59:59 --to 7:00:00", "0,0333333333333333\n"},
        {"cost --to=0:00:00 --from=23:59:59 --date=2004.10.20. Otthon", "0,0666666666666667\n"},
        {"cost Otthon --date 2004.10.22. --from 17:00:00 --to 0:30:00", "1890\n"},
        {"cost Otthon --date 2004.10.23. --from 10:15:30 --to 10:15:31", "0,0666666666666667\n"},
        {"cost Otthon --date 2004.10.20. --from 12:00:00 --to 12:00:00", "0\n"},
    };
    for (const auto& c : cases) {
        const CommandResult result = ctl(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << c.arguments;
        EXPECT_EQ(result.out, c.out) << c.arguments;
    }
}

TEST_F(CtlTariff, ABrokenTariffIsNamedWithItsTextAndExitsOne) {
    writeTariffs("Otthon");
    storeRaw(home.path(), "OtthonHetVegDelutan", "4.5");
    EXPECT_EQ(ctl("cost Otthon --date 2004.10.20. --from 19:00:00 --to 19:00:01").out,
              "0,0666666666666667\n");
    const std::string saturday = "cost Otthon --date 2004.10.23. --from 19:00:00 --to 19:00:01";
    EXPECT_EQ(ctl(saturday).exitCode, 1);
    EXPECT_EQ(ctl(saturday).out, "");
    EXPECT_EQ(ctlErrors(saturday).out,
              "vonalorctl: a tariff of Otthon is not a number: OtthonHetVegDelutan=4.5\n");
    EXPECT_EQ(ctlErrors("cost Munka --date 2004.10.20. --from 10:00:00 --to 10:00:01").out,
              "vonalorctl: a tariff of Munka is not a number: MunkaHetKozDelelott=\n");
}

// A price the books cannot hold is refused where it is set, and one stored anyway stops the
// calculation with its name instead of a figure.
TEST_F(CtlTariff, AnAmountTheBooksCannotHoldIsNeitherStoredNorPriced) {
    writeTariffs("Otthon");
    for (const char* text : {"inf", "nan", "-3", "1E20", "4.5", "abc"}) {
        const CommandResult set = ctlErrors(std::string("set OtthonHetKozDelelott ") + shellQuote(text));
        EXPECT_EQ(set.exitCode, 1) << text;
        EXPECT_EQ(set.out.rfind("vonalorctl: OtthonHetKozDelelott: '", 0), 0u) << set.out;
        EXPECT_EQ(ctl("get OtthonHetKozDelelott").out, "6\n") << text;

        storeRaw(home.path(), "OtthonHetKozDelelott", text);
        const CommandResult cost = ctl("cost Otthon --date 2004.10.20. --from 9:00:00 --to 9:00:01");
        EXPECT_EQ(cost.exitCode, 1) << text;
        EXPECT_EQ(cost.out, "") << text;
        storeRaw(home.path(), "OtthonHetKozDelelott", "6");
    }
    for (const char* good :
         {"set OtthonOsszKoltseg -12,5", "set OtthonKedvErteke 2,5", "set OtthonOsszMPerc 59",
          "set OtthonKuldottBajt 9223372036854775807", "set KiseroBal -20"})
        EXPECT_EQ(ctl(good).exitCode, 0) << good;
    for (const char* bad : {"set OtthonOsszMPerc 9223372036854775807", "set OtthonKapcsSzama -1",
                            "set OtthonOsszKoltseg 1E13", "set KapcsolatokSzama x"})
        EXPECT_EQ(ctl(bad).exitCode, 1) << bad;
}

TEST_F(CtlTariff, EasterHolidaysAndTariffName) {
    EXPECT_EQ(ctl("easter 2004").out, "2004.04.11.\n");
    EXPECT_EQ(ctl("easter 2076").out, "2076.04.26.\n");
    EXPECT_EQ(ctl("holidays 2005").out, "2005.01.01.\n2005.03.15.\n2005.03.28.\n2005.05.01.\n2005.05.16.\n"
                                        "2005.08.20.\n2005.10.23.\n2005.11.01.\n2005.12.25.\n2005.12.26.\n");
    EXPECT_EQ(ctl("tariff-name '2006.03.15. 10:00:00'").out, "HetVegDelelott\n");
    EXPECT_EQ(ctl("tariff-name '2006.03.16. 6:00:00'").out, "HetKozEjjel\n");
    EXPECT_EQ(ctl("tariff-name 2004.10.24. 19:30:00").out, "HetVegDelutan\n");
}

TEST_F(CtlTariff, UnreadableArgumentsAreUsageErrorsThatSayWhatWasExpected) {
    const struct {
        const char* arguments;
        const char* expected; // part of the message
    } cases[] = {
        {"cost", "usage: vonalorctl cost CONNECTION"},
        {"cost Otthon", "--date YYYY.MM.DD., --from H:MM:SS and --to H:MM:SS"},
        {"cost Otthon --date 2004.10.20. --from 10:00:00", "--to H:MM:SS"},
        {"cost --date 2004.10.20. --from 10:00:00 --to 10:00:01", "CONNECTION"},
        {"cost Otthon Munka --date 2004.10.20. --from 10:00:00 --to 10:00:01", "one CONNECTION"},
        {"cost Otthon --date 2004.13.01. --from 10:00:00 --to 10:00:01", "YYYY.MM.DD."},
        {"cost Otthon --date 20.10.2004 --from 10:00:00 --to 10:00:01", "YYYY.MM.DD."},
        {"cost Otthon --date 2004.10.20. --from 24:00:00 --to 10:00:01",
         "--from takes a time of the form H:MM:SS"},
        {"cost Otthon --date 2004.10.20. --from 10:00:00 --to 10:0:01",
         "--to takes a time of the form H:MM:SS"},
        {"cost Otthon --date 2004.10.20. --date 2004.10.21. --from 10:00:00 --to 10:00:01", "given twice"},
        {"cost Otthon --date 2004.10.20. --from 10:00:00 --till 10:00:01", "no option --till"},
        {"cost Otthon --date 2004.10.20. --from 10:00:00 --to", "--to needs a value"},
        {"easter", "usage: vonalorctl easter YEAR"},
        {"easter 20x4", "YEAR must be a year"},
        {"easter 0", "YEAR must be a year"},
        {"holidays 10000", "YEAR must be a year"},
        {"tariff-name 2006.03.15.", "YYYY.MM.DD. H:MM:SS"},
        {"tariff-name '2006.03.15. 25:00:00'", "YYYY.MM.DD. H:MM:SS"},
        {"tariff-name '10:00:00 2006.03.15.'", "YYYY.MM.DD. H:MM:SS"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ctl(c.arguments).exitCode, 2) << c.arguments;
        EXPECT_NE(ctlErrors(c.arguments).out.find(c.expected), std::string::npos)
            << c.arguments << ": " << ctlErrors(c.arguments).out;
    }
}

} // namespace
} // namespace vonalor::test
