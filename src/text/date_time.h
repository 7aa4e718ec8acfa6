#pragma once

#include <compare>
#include <cstdint>

namespace vonalor {

// A civil (proleptic Gregorian) date and a time of day, in local time as the user sees it.
struct Date {
    int year = 1899;
    int month = 12;
    int day = 30;
    auto operator<=>(const Date&) const = default;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int msec = 0;
    auto operator<=>(const TimeOfDay&) const = default;
};

struct DateTime {
    Date date;
    TimeOfDay time;
    auto operator<=>(const DateTime&) const = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isValidDate(const Date& d);
bool isValidTime(const TimeOfDay& t);

// Days since 1970-01-01 (negative before it).
std::int64_t daysFromCivil(const Date& d);
Date civilFromDays(std::int64_t days);

// 1 = Sunday ... 7 = Saturday, the numbering the stored texts and the day rules use.
int dayOfWeek(const Date& d);

Date addDays(const Date& d, std::int64_t days);

// Milliseconds since 1970-01-01 00:00:00 local; the virtual clock counts in these.
std::int64_t toEpochMs(const DateTime& dt);
DateTime fromEpochMs(std::int64_t ms);

} // namespace vonalor
