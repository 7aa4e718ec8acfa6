#pragma once

#include "tariff/tariff_values.h"

#include <string>
#include <string_view>

namespace vonalor {

class Clock;
class SettingsStore;

// What a span of connected time costs on a connection, as the general decimal text ("0,075").
// start and end are long-time texts ("7:05:09" or "07:05:09"); an end not after the start
// means the span wraps past midnight (equal texts cost nothing). The span is priced by band
// and by the day kinds of the clock's date and, after midnight, of the following date.
// Only the tariffs the span needs are read, each through ReadTariff, so a broken one throws
// TariffValueError; a text that is not a time throws ConversionError.
std::string IntervalCost(SettingsStore& store, std::string_view connection, const Clock& clock,
                         std::string_view start, std::string_view end);

// The same with the six tariffs already read.
std::string IntervalCost(const Tariffs& tariffs, const Clock& clock, std::string_view start,
                         std::string_view end);

} // namespace vonalor
