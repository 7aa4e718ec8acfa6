#pragma once

#include "text/date_time.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vonalor {

class Clock;
class ProgramLog;
class SettingsStore;

// Names the archive of a rollover whose log is still to be emptied; written in the same
// transaction as the new period and the reset totals.
inline constexpr const char* RolloverMarkSetting = "UjHonapFolyamatban";

// Finishes a rollover cut short after its transaction (the log still holds the archived
// entries); true when none is left unfinished.
bool finishRollover(SettingsStore& store, const std::filesystem::path& home);

// The first billing period: from today to the same day of the next month, billed on
// today's day of the month. A day the next month lacks (the 29th to 31st) becomes that
// month's last day, so the end is always a real date.
void InitBillingPeriod(SettingsStore& store, const Date& today);

// "yyyy.MM.dd." one month after a date; the day is kept where the month has it, else the
// month's last day is taken.
std::string sameDayNextMonth(const Date& date, bool trailingDot);

// The end of the period that starts on `start`, "yyyy.MM.dd" without the final dot. A start
// on the last day of a short month that stands for a later billing day (31 after 2005.02.28)
// aims for the billing day again, so the period does not drift to the 28th for good.
std::string nextPeriodEnd(const Date& start, int billingDay);

// The billing day list `comboTol` ("1" to "28"): the chosen day becomes the billing day, and
// both period dates move to that day within their months.
void changeBillingDay(SettingsStore& store, ProgramLog& log, int itemIndex);

// The archive folder of closed periods and one period's file in it, named from the two dates
// exactly as stored ("2004.10.25. - 2004.11.25..txt").
std::filesystem::path archiveFolder(const std::filesystem::path& home);
std::filesystem::path archiveFile(const std::filesystem::path& home, const std::string& startText,
                                  const std::string& endText);

// The statistics block that closes a period's log: every connection's totals in list order.
std::vector<std::string> statisticsBlock(SettingsStore& store, const std::vector<std::string>& connections);

// One tick of `TimerUjHonapTimer`: when the period has ended, archives the log with the
// statistics block, empties the log, moves the period on by one month and resets the totals
// of every connection (byte totals kept). Closes at most one period per call; does nothing
// while the period's archive file exists. True when a period was closed. A period date that
// is not a date throws ConversionError before anything changes.
bool closeDuePeriod(SettingsStore& store, const std::filesystem::path& home, const Clock& clock,
                    const std::vector<std::string>& connections);

} // namespace vonalor
