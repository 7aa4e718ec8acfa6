#pragma once

#include "text/date_time.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vonalor {

// A connection's day-by-day figures: name + "Diagram.ini" in the data home, one line per
// day, "2004.10.25.-[cost](minutes){megabytes}", Windows-1250, CR LF.
std::filesystem::path dailyStatisticsFile(const std::filesystem::path& home, const std::string& connection);

// Writes 1001 zero lines, today and the 1000 days after it, replacing any file of that name.
bool CreateDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                           const Date& today);

// Creates the file only when there is none: an existing one keeps its days.
bool ensureDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                           const Date& today);

// The text between the last `open` and the last `close` of a line; nullopt when either is
// missing or they stand the wrong way round.
std::optional<std::string> bracketValue(std::string_view line, char open, char close);

// One line read by the bracket rule; the three values stay texts.
struct DailyLine {
    std::string dateText; // the line's first eleven characters
    Date date;
    std::string cost;
    std::string minutes;
    std::string megabytes;
};
// nullopt for a line that does not start with a date or lacks one of the brackets.
std::optional<DailyLine> parseDailyLine(std::string_view line);

enum class DailyUpdate {
    Recorded,       // today's line now carries the session
    NoLineForToday, // the prepared days do not include today: nothing recorded
    NotWritten,     // the file could not be read or written
    Stale,          // the day's line is no longer the one a plan was made from
};

// A session's figures added to one day's line, worked out before anything is written.
struct DailyEdit {
    DailyUpdate outcome = DailyUpdate::Recorded; // NoLineForToday and NotWritten leave nothing to write
    std::string oldLine, newLine;
};
// Reads the day's line and adds the figures to it. A file that has gone missing is prepared
// afresh from `day` first. A value that is not a number throws ConversionError naming the
// file and the day's line.
DailyEdit planDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                              std::string_view costText, std::string_view minutesText,
                              std::string_view megabytesText, const Date& day);
// Writes a planned line in place of the old one. Applying it again is harmless: a file that
// already holds the new line is left as it is. A file whose line is neither is not touched
// (Stale): the plan must be made again.
DailyUpdate applyDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                                 const DailyEdit& edit);

// Adds a session's cost, minutes and megabytes to today's line (the last one when several
// carry today's date). A file that has gone missing is prepared afresh from today first.
// A value that is not a number throws ConversionError before anything is written.
DailyUpdate AddDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                               std::string_view costText, std::string_view minutesText,
                               std::string_view megabytesText, const Date& today);

} // namespace vonalor
