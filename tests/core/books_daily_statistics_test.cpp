// The daily statistics file: the 1001 prepared days and the update of today's line.

#include "test_support.h"

#include "stats/daily_statistics.h"
#include "text/conversion_error.h"

namespace vonalor::test {
namespace {

struct BooksDailyStatistics : ::testing::Test {
    TempHome home;
    const Date today{2004, 10, 25};
    std::filesystem::path file() const { return dailyStatisticsFile(home.path(), "Otthon"); }
    DailyUpdate add(const char* cost, const char* minutes, const char* megabytes, const Date& day) {
        return AddDailyStatistics(home.path(), "Otthon", cost, minutes, megabytes, day);
    }
};

TEST_F(BooksDailyStatistics, ANewFileHoldsTodayAndTheThousandDaysAfterIt) {
    ASSERT_TRUE(CreateDailyStatistics(home.path(), "Otthon", Date{2004, 2, 28}));
    const std::string text = readFile(home / "OtthonDiagram.ini");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1001);
    EXPECT_EQ(text.substr(0, 46), "2004.02.28.-[0](0){0}\r\n2004.02.29.-[0](0){0}\r\n");
    EXPECT_EQ(text.substr(text.size() - 23), "2006.11.24.-[0](0){0}\r\n");
}

TEST_F(BooksDailyStatistics, SessionsAddUpOnTodaysLineAlone) {
    const struct {
        const char* name;
        const char* before; // today's line before
        const char *cost, *minutes, *megabytes;
        const char* after;
    } cases[] = {
        {"12,5 + 5,3", "-[12,5](40,5){3,5}", "5,3", "0,76", "0,01", "-[17,8](41,26){3,51}"},
        {"sum without decimals", "-[12,5](30,25){1,75}", "0,5", "0,75", "0,25", "-[13](31){2}"},
        {"fresh line", "-[0](0){0}", "142", "23,66", "1,77", "-[142](23,66){1,77}"},
        {"exponent form read", "-[1e-6](0){0}", "0", "0,5", "0", "-[1E-6](0,5){0}"},
    };
    for (const auto& c : cases) {
        writeFile(file(), "2004.10.24.-[1](2){3}\r\n2004.10.25." + std::string(c.before) +
                              "\r\n2004.10.26.-[0](0){0}\r\n");
        EXPECT_EQ(add(c.cost, c.minutes, c.megabytes, today), DailyUpdate::Recorded) << c.name;
        // The whole file compared: a shorter new line leaves nothing of the old one behind.
        EXPECT_EQ(readFile(file()), "2004.10.24.-[1](2){3}\r\n2004.10.25." + std::string(c.after) +
                                        "\r\n2004.10.26.-[0](0){0}\r\n")
            << c.name;
    }
}

TEST_F(BooksDailyStatistics, TheLastLineOfTodayCountsAndEveryCopyOfItIsReplaced) {
    writeFile(file(), "2004.10.25.-[1](1){1}\r\n2004.10.25.-[2](2){2}\r\nx2004.10.25.-[2](2){2}\r\n");
    EXPECT_EQ(add("1", "1", "1", today), DailyUpdate::Recorded);
    EXPECT_EQ(readFile(file()),
              "2004.10.25.-[1](1){1}\r\n2004.10.25.-[3](3){3}\r\nx2004.10.25.-[3](3){3}\r\n");
}

TEST_F(BooksDailyStatistics, ADayOutsideThePreparedRangeRecordsNothing) {
    ASSERT_TRUE(CreateDailyStatistics(home.path(), "Otthon", Date{2004, 10, 25}));
    const std::string before = readFile(file());
    for (const Date& day : {Date{2007, 7, 23}, Date{2004, 10, 24}, Date{2010, 1, 1}}) {
        EXPECT_EQ(add("12,5", "3", "1", day), DailyUpdate::NoLineForToday);
        EXPECT_EQ(readFile(file()), before);
    }
    EXPECT_EQ(add("12,5", "3", "1", Date{2007, 7, 22}), DailyUpdate::Recorded);
    EXPECT_EQ(readFile(file()).substr(before.size() - 23), "2007.07.22.-[12,5](3){1}\r\n");
}

TEST_F(BooksDailyStatistics, AValueThatIsNotANumberThrowsAndLeavesTheFile) {
    const struct {
        const char* line;
        const char *cost, *minutes, *megabytes;
    } cases[] = {
        {"2004.10.25.-[12.5](0){0}", "1", "1", "1"}, {"2004.10.25.-[0](x){0}", "1", "1", "1"},
        {"2004.10.25.-[0](0){}", "1", "1", "1"},     {"2004.10.25.-[0](0)", "1", "1", "1"},
        {"2004.10.25.-[0](0){0}", "1.5", "1", "1"},  {"2004.10.25.-[0](0){0}", "1", "", "1"},
    };
    for (const auto& c : cases) {
        const std::string text = "2004.10.24.-[0](0){0}\r\n" + std::string(c.line) + "\r\n";
        writeFile(file(), text);
        EXPECT_THROW(add(c.cost, c.minutes, c.megabytes, today), ConversionError) << c.line;
        EXPECT_EQ(readFile(file()), text) << c.line;
    }
}

TEST_F(BooksDailyStatistics, AMissingFileIsPreparedFromTodayThenUpdated) {
    EXPECT_EQ(add("5", "1,5", "0,25", today), DailyUpdate::Recorded);
    const std::string text = readFile(file());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1001);
    EXPECT_EQ(text.substr(0, 51), "2004.10.25.-[5](1,5){0,25}\r\n2004.10.26.-[0](0){0}\r\n");
}

TEST_F(BooksDailyStatistics, LinesAreReadByTheBracketRule) {
    const auto line = parseDailyLine("2004.10.25.-[147,3](41,26){3,51}");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->dateText, "2004.10.25.");
    EXPECT_EQ(line->date, (Date{2004, 10, 25}));
    EXPECT_EQ(line->cost, "147,3");
    EXPECT_EQ(line->minutes, "41,26");
    EXPECT_EQ(line->megabytes, "3,51");
    EXPECT_EQ(bracketValue("a[1]b[2]c", '[', ']'), "2");
    EXPECT_EQ(bracketValue("a]1[", '[', ']'), std::nullopt);
    for (const char* bad : {"", "2004.10.25.", "-[0](0){0}", "2004.13.25.-[0](0){0}", "2004.10.25.-[0](0)"})
        EXPECT_FALSE(parseDailyLine(bad)) << bad;
}

} // namespace
} // namespace vonalor::test
