#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vonalor {

class Clock;
class SettingsStore;

inline const std::string SessionLogFileName = "naplo.txt";

// The session log of the current billing period in the data home.
std::filesystem::path sessionLogFile(const std::filesystem::path& home);

// The main window's display texts of the session being closed.
struct SessionFigures {
    std::string connection;               // lbKapcsNeve
    bool connected = false;               // the connected state was reached
    std::string startDate, startTime;     // when it was reached: "2004.10.25.", "9:05:31"
    std::string hours, minutes, seconds;  // lbOra, lbPerc, lbMPerc
    std::string currentCost;              // lbJelenKoltseg
    std::string bytesSent, bytesReceived; // lbBajtKuld, lbBajtFogad, with thousands separators
};

// The period totals after the session, as the record stores them.
struct SessionTotals {
    std::string cost, hours, minutes, seconds;
    bool operator==(const SessionTotals&) const = default;
};

// USERNAME, else the login name of the account running the program.
std::string currentUserName();

// The fourteen lines a booked session adds to the log.
std::vector<std::string> sessionEntryLines(const SessionFigures& session, const SessionTotals& totals,
                                           const std::string& endDate, const std::string& endTime,
                                           const std::string& userName);

// The new period totals: the record's totals plus the session, seconds and minutes carried.
// Throws ConversionError naming the value when a record total or a display is not a number.
SessionTotals sessionTotals(SettingsStore& store, const SessionFigures& session);

// Everything a booked session changes in its connection's record, and the figures its day's
// line grows by, worked out before anything is written.
struct RecordUpdate {
    SessionTotals totals;
    std::vector<std::pair<std::string, std::string>> values; // totals, session count, byte totals
    std::string dailyCost, dailyMinutes, dailyMegabytes;
};
// Throws ConversionError naming the value that is not a number; reads only.
RecordUpdate planRecordUpdate(SettingsStore& store, const SessionFigures& session);
// The day's figures of a session alone (cost, minutes, megabytes), cut to two decimals.
void sessionDailyFigures(const SessionFigures& session, RecordUpdate& update);

// The close-out of a session (the disconnect edge, and closing the program during one): for a
// session that reached the connected state the entry is appended to naplo.txt, the record's
// totals, session count and byte totals are stored in one transaction and the day's line of the
// daily statistics grows, in that order. A value that is not a number throws ConversionError
// before anything is written (a damaged day's line: after the log and the totals); the session
// stays pending (SessionBooks) and is booked once the value is repaired. A file that cannot be
// read is reported in the program log and the rest still goes ahead; one that cannot be written
// keeps the session pending.
SessionTotals CloseSessionBooks(SettingsStore& store, const std::filesystem::path& home, const Clock& clock,
                                const SessionFigures& session);

} // namespace vonalor
