#pragma once

#include "text/date_time.h"

#include <array>

namespace vonalor {

// Easter Sunday by Gauss's formula with the fixed constant 24 and a century offset. In
// 1900-2199 this is the Gregorian date except in 1954, 1981, 2049, 2076, 2106 and 2133,
// where the calendar keeps Gauss's date a week later than the church's (25 or 26 April).
Date EasterSunday(int year);

// The ten public holidays of a year in calendar order: 1 January, 15 March, Easter Monday,
// 1 May, Whit Monday, 20 August, 23 October, 1 November, 25 and 26 December.
std::array<Date, 10> holidaysOfYear(int year);

// True on one of the ten holidays of the date's own year; no other day counts.
bool IsHoliday(const Date& date);

} // namespace vonalor
