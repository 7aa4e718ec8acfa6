#include "text/date_time.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vonalor {

// Internal linkage: other test files in the same executable may print dates too.
static std::ostream& operator<<(std::ostream& os, const Date& d) {
    return os << d.year << '-' << d.month << '-' << d.day;
}

namespace {

TEST(DateTime, LeapYearsAndMonthLengths) {
    struct Case {
        int year;
        bool leap;
    };
    const Case cases[] = {{1900, false}, {2000, true},  {2004, true},
                          {2005, false}, {2100, false}, {2400, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(isLeapYear(c.year), c.leap) << c.year;
        EXPECT_EQ(daysInMonth(c.year, 2), c.leap ? 29 : 28) << c.year;
    }
    EXPECT_EQ(daysInMonth(2005, 4), 30);
    EXPECT_EQ(daysInMonth(2005, 12), 31);
    EXPECT_EQ(daysInMonth(2005, 0), 0);
    EXPECT_EQ(daysInMonth(2005, 13), 0);
}

TEST(DateTime, Validity) {
    EXPECT_TRUE(isValidDate({2004, 2, 29}));
    EXPECT_FALSE(isValidDate({2005, 2, 29}));
    EXPECT_FALSE(isValidDate({2005, 4, 31}));
    EXPECT_FALSE(isValidDate({0, 1, 1}));
    EXPECT_FALSE(isValidDate({10000, 1, 1}));
    EXPECT_TRUE(isValidTime({23, 59, 59, 999}));
    EXPECT_FALSE(isValidTime({24, 0, 0, 0}));
    EXPECT_FALSE(isValidTime({0, 0, 0, 1000}));
    EXPECT_FALSE(isValidTime({0, -1, 0, 0}));
}

TEST(DateTime, KnownDayNumbers) {
    struct Case {
        Date date;
        std::int64_t days;
    };
    const Case cases[] = {
        {{1970, 1, 1}, 0},        {{1969, 12, 31}, -1}, {{2000, 3, 1}, 11017},     {{2004, 10, 25}, 12716},
        {{1899, 12, 30}, -25569}, {{1, 1, 1}, -719162}, {{9999, 12, 31}, 2932896},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(daysFromCivil(c.date), c.days) << c.date;
        EXPECT_EQ(civilFromDays(c.days), c.date) << c.days;
    }
}

TEST(DateTime, EveryDayFollowsThePreviousOne) {
    // Walking the calendar by hand from year 1 to 9999 pins both directions of the day count.
    Date d{1, 1, 1};
    std::int64_t days = daysFromCivil(d);
    int weekday = dayOfWeek(d);
    const Date last{9999, 12, 31};
    while (d != last) {
        if (d.day < daysInMonth(d.year, d.month)) {
            ++d.day;
        } else if (d.month < 12) {
            ++d.month;
            d.day = 1;
        } else {
            ++d.year;
            d.month = 1;
            d.day = 1;
        }
        ++days;
        weekday = weekday % 7 + 1;
        if (daysFromCivil(d) != days || civilFromDays(days) != d || dayOfWeek(d) != weekday) {
            ADD_FAILURE() << d << " at day " << days;
            break;
        }
    }
}

TEST(DateTime, AddDaysAcrossLeapDays) {
    struct Case {
        Date from;
        std::int64_t days;
        Date to;
    };
    const Case cases[] = {
        {{2004, 2, 28}, 1, {2004, 2, 29}},   {{2004, 2, 28}, 2, {2004, 3, 1}},
        {{2005, 2, 28}, 1, {2005, 3, 1}},    {{2100, 2, 28}, 1, {2100, 3, 1}},
        {{2000, 2, 28}, 1, {2000, 2, 29}},   {{2004, 3, 1}, -1, {2004, 2, 29}},
        {{2004, 1, 1}, 366, {2005, 1, 1}},   {{2005, 1, 1}, 365, {2006, 1, 1}},
        {{2004, 12, 31}, 1, {2005, 1, 1}},   {{1970, 1, 1}, -1, {1969, 12, 31}},
        {{2004, 10, 25}, 0, {2004, 10, 25}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(addDays(c.from, c.days), c.to) << c.from << " + " << c.days;
}

TEST(DateTime, EpochMilliseconds) {
    struct Case {
        DateTime dt;
        std::int64_t ms;
    };
    const Case cases[] = {
        {{{1970, 1, 1}, {0, 0, 0, 0}}, 0},
        {{{1969, 12, 31}, {23, 59, 59, 999}}, -1},
        {{{1970, 1, 2}, {0, 0, 0, 0}}, 86'400'000},
        {{{2004, 10, 25}, {9, 5, 31, 250}}, 1'098'695'131'250},
        {{{1899, 12, 30}, {0, 0, 0, 0}}, -25569LL * 86'400'000},
        {{{1899, 12, 29}, {12, 0, 0, 0}}, -25569LL * 86'400'000 - 43'200'000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toEpochMs(c.dt), c.ms) << c.dt.date;
        EXPECT_EQ(fromEpochMs(c.ms), c.dt) << c.ms;
    }
}

} // namespace
} // namespace vonalor
