#include "tariff/holiday_calendar.h"
#include "tariff/tariff_bands.h"
#include "test_support.h"
#include "text/regional.h"

#include <algorithm>
#include <vector>

namespace vonalor::test {
namespace {

Date day(std::string_view text) {
    return Regional::hungarian().toDate(text);
}

std::string text(const Date& date) {
    return Regional::hungarian().formatDate(date);
}

// The church's date, by the anonymous Gregorian algorithm (Meeus), as an independent reference.
Date gregorianEaster(int year) {
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
    return Date{year, (h + l - 7 * m + 114) / 31, (h + l - 7 * m + 114) % 31 + 1};
}

TEST(TariffBands, EachBoundaryInstantBelongsToTheBandThatBeginsThere) {
    const struct {
        const char* time;
        const char* band;
    } cases[] = {
        {"0:00:00", "Ejjel"},     {"6:59:59", "Ejjel"},    {"7:00:00", "Delelott"},
        {"17:59:59", "Delelott"}, {"18:00:00", "Delutan"}, {"23:59:59", "Delutan"},
    };
    for (const auto& c : cases) {
        const TimeOfDay time = Regional::hungarian().toTime(c.time);
        EXPECT_EQ(bandName(BandOfHour(time.hour)), c.band) << c.time;
        EXPECT_EQ(CurrentTariffName(DateTime{day("2004.10.20."), time}), std::string("HetKoz") + c.band)
            << c.time;
    }
}

TEST(TariffBands, TheBandsCoverTheDayIn660And360And420Minutes) {
    int minutes[3] = {};
    for (int hour = 0; hour < 24; ++hour)
        minutes[static_cast<int>(BandOfHour(hour))] += 60;
    EXPECT_EQ(minutes[static_cast<int>(Band::Delelott)], 660);
    EXPECT_EQ(minutes[static_cast<int>(Band::Delutan)], 360);
    EXPECT_EQ(minutes[static_cast<int>(Band::Ejjel)], 420);
}

TEST(TariffEaster, KnownYearsIncludingTheFixedConstantAndTheContinuationFrom2500) {
    const struct {
        int year;
        const char* easter;
    } cases[] = {
        {2004, "2004.04.11."},
        {2005, "2005.03.27."},
        {2006, "2006.04.16."},
        {2049, "2049.04.25."},
        {2076, "2076.04.26."},
        {1954, "1954.04.25."},
        {2106, "2106.04.25."},
        {2133, "2133.04.26."},
        // The constant 24 is kept outside 1900-2199 too: the church's Easter is 22 March in both.
        {1818, "1818.03.29."},
        {2285, "2285.04.26."},
        // From 2500 Gauss's century term goes on (offset 4 in the 2500s, 5 in the 2600s).
        {2500, "2500.04.18."},
        {2501, "2501.04.03."},
        {2600, "2600.04.20."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(EasterSunday(c.year)), c.easter) << c.year;
}

TEST(TariffEaster, IsTheGregorianDateIn1900To2199ExceptSixYearsWhereItIsAWeekLater) {
    const std::vector<int> weekLater = {1954, 1981, 2049, 2076, 2106, 2133};
    for (int year = 1900; year <= 2199; ++year) {
        const bool late = std::find(weekLater.begin(), weekLater.end(), year) != weekLater.end();
        EXPECT_EQ(EasterSunday(year), addDays(gregorianEaster(year), late ? 7 : 0)) << year;
    }
}

TEST(TariffEaster, EveryCenturyOffsetGivesASundayBetween22MarchAnd26April) {
    for (int year = 1500; year <= 9999; ++year) {
        const Date easter = EasterSunday(year);
        ASSERT_EQ(dayOfWeek(easter), 1) << year;
        ASSERT_GE(easter, (Date{year, 3, 22})) << year;
        ASSERT_LE(easter, (Date{year, 4, 26})) << year;
    }
}

TEST(TariffHoliday, ExactlyTheTenHolidaysOfEachYear) {
    const struct {
        int year;
        const char* easterMonday;
        const char* whitMonday;
    } cases[] = {
        {2004, "04.12.", "05.31."}, {2005, "03.28.", "05.16."}, {2006, "04.17.", "06.05."},
        {2049, "04.26.", "06.14."}, {2076, "04.27.", "06.15."},
    };
    for (const auto& c : cases) {
        const std::string y = std::to_string(c.year) + ".";
        const std::vector<std::string> expected = {
            y + "01.01.", y + "03.15.", y + c.easterMonday, y + "05.01.", y + c.whitMonday,
            y + "08.20.", y + "10.23.", y + "11.01.",       y + "12.25.", y + "12.26.",
        };
        std::vector<std::string> found;
        for (Date d{c.year, 1, 1}; d.year == c.year; d = addDays(d, 1)) {
            if (IsHoliday(d))
                found.push_back(text(d));
        }
        EXPECT_EQ(found, expected) << c.year;
        std::vector<std::string> listed;
        for (const Date& d : holidaysOfYear(c.year))
            listed.push_back(text(d));
        EXPECT_EQ(listed, expected) << c.year;
    }
}

TEST(TariffDayKind, HolidaysMakeAWeekdayAWeekendDayButNothingElseDoes) {
    const struct {
        const char* date;
        bool mondayToFriday;
        bool tariffWorkday;
    } cases[] = {
        {"2004.10.22.", true, true},   // Friday
        {"2004.10.23.", false, false}, // Saturday, a holiday as well
        {"2004.10.24.", false, false}, // Sunday
        {"2004.11.01.", true, false},  // Monday, All Saints' Day
        {"2004.11.02.", true, true},   // Tuesday
        {"2004.04.12.", true, false},  // Easter Monday
        {"2004.04.09.", true, true},   // Good Friday is no holiday
        {"2004.12.24.", true, true},   // nor is Christmas Eve
        {"2004.05.31.", true, false},  // Whit Monday
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsMondayToFriday(day(c.date)), c.mondayToFriday) << c.date;
        EXPECT_EQ(IsTariffWorkday(day(c.date)), c.tariffWorkday) << c.date;
        EXPECT_EQ(dayKindOf(day(c.date)), c.tariffWorkday ? DayKind::HetKoz : DayKind::HetVeg) << c.date;
    }
}

TEST(TariffName, DayKindOfTheDateFollowedByTheBandOfTheHour) {
    const struct {
        const char* date;
        const char* time;
        const char* name;
    } cases[] = {
        {"2006.03.15.", "10:00:00", "HetVegDelelott"}, // Wednesday, national holiday
        {"2006.03.16.", "10:00:00", "HetKozDelelott"}, {"2006.03.16.", "6:00:00", "HetKozEjjel"},
        {"2004.10.24.", "19:30:00", "HetVegDelutan"}, // Sunday
        {"2004.10.23.", "3:00:00", "HetVegEjjel"},     {"2004.10.22.", "18:00:00", "HetKozDelutan"},
    };
    for (const auto& c : cases) {
        const DateTime moment{day(c.date), Regional::hungarian().toTime(c.time)};
        EXPECT_EQ(CurrentTariffName(moment), c.name) << c.date << " " << c.time;
    }
}

} // namespace
} // namespace vonalor::test
