#pragma once

#include "text/date_time.h"

#include <string>
#include <string_view>

namespace vonalor {

// The three parts of the day a tariff applies to: 7:00-17:59:59, 18:00-23:59:59, 0:00-6:59:59.
enum class Band { Delelott, Delutan, Ejjel };

// Weekday prices, or weekend prices (Saturday, Sunday and the holidays).
enum class DayKind { HetKoz, HetVeg };

std::string_view bandName(Band band);
std::string_view dayKindName(DayKind kind);
// The day kind followed by the band, "HetKozDelutan"; a connection's value name is its name followed by this.
std::string tariffName(DayKind kind, Band band);

Band BandOfHour(int hour);

// Monday to Friday by the calendar alone; holidays play no part.
bool IsMondayToFriday(const Date& date);
// Monday to Friday and not a holiday.
bool IsTariffWorkday(const Date& date);
// HetKoz on a tariff workday, HetVeg otherwise.
DayKind dayKindOf(const Date& date);

// The tariff in force at a moment, "HetVegDelutan" on a Sunday at 19:30.
std::string CurrentTariffName(const DateTime& moment);

} // namespace vonalor
