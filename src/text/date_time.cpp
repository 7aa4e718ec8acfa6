#include "text/date_time.h"

namespace vonalor {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

bool isValidDate(const Date& d) {
    return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysInMonth(d.year, d.month);
}

bool isValidTime(const TimeOfDay& t) {
    return t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60 &&
           t.msec >= 0 && t.msec < 1000;
}

// Howard Hinnant's days_from_civil / civil_from_days.
std::int64_t daysFromCivil(const Date& d) {
    const std::int64_t y = d.year - (d.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (d.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + d.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return Date{year, month, day};
}

int dayOfWeek(const Date& d) {
    // 1970-01-01 was a Thursday (5 in the Sunday-first numbering).
    const std::int64_t days = daysFromCivil(d);
    const std::int64_t index = ((days % 7) + 7 + 4) % 7; // 0 = Sunday
    return static_cast<int>(index) + 1;
}

Date addDays(const Date& d, std::int64_t days) {
    return civilFromDays(daysFromCivil(d) + days);
}

std::int64_t toEpochMs(const DateTime& dt) {
    const std::int64_t days = daysFromCivil(dt.date);
    const std::int64_t msOfDay =
        ((dt.time.hour * 60LL + dt.time.minute) * 60LL + dt.time.second) * 1000LL + dt.time.msec;
    return days * 86'400'000LL + msOfDay;
}

DateTime fromEpochMs(std::int64_t ms) {
    std::int64_t days = ms / 86'400'000LL;
    std::int64_t rest = ms % 86'400'000LL;
    if (rest < 0) {
        rest += 86'400'000LL;
        --days;
    }
    DateTime dt;
    dt.date = civilFromDays(days);
    dt.time.msec = static_cast<int>(rest % 1000);
    rest /= 1000;
    dt.time.second = static_cast<int>(rest % 60);
    rest /= 60;
    dt.time.minute = static_cast<int>(rest % 60);
    dt.time.hour = static_cast<int>(rest / 60);
    return dt;
}

} // namespace vonalor
