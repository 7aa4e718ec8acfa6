#pragma once

#include "text/date_time.h"

#include <filesystem>
#include <string>

namespace vonalor {

// A connection's day-by-day figures: name + "Diagram.ini" in the data home, one line per
// day, "2004.10.25.-[cost](minutes){megabytes}", Windows-1250, CR LF.
std::filesystem::path dailyStatisticsFile(const std::filesystem::path& home, const std::string& connection);

// Writes 1001 zero lines, today and the 1000 days after it, replacing any file of that name.
bool CreateDailyStatistics(const std::filesystem::path& home, const std::string& connection, const Date& today);

} // namespace vonalor
