#pragma once

#include "text/date_time.h"

#include <string>

namespace vonalor {

class SettingsStore;

// The first billing period: from today to the same day of the next month, billed on
// today's day of the month. A day the next month lacks (the 29th to 31st) becomes that
// month's last day, so the end is always a real date.
void InitBillingPeriod(SettingsStore& store, const Date& today);

// "yyyy.MM.dd." one month after a date; the day is kept where the month has it, else the
// month's last day is taken.
std::string sameDayNextMonth(const Date& date, bool trailingDot);

} // namespace vonalor
