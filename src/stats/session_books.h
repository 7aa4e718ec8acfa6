#pragma once

#include "stats/daily_statistics.h"
#include "stats/session_log.h"
#include "text/date_time.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vonalor {

class SettingsStore;

// Sessions that have ended but are not yet wholly in the books wait in this file of the data
// home, so that a full disk, a value that is not a number or a crash loses none of them.
inline const std::string PendingBookingsFileName = "pending-bookings.txt";
// Room kept on the disk for the pending file: on a full disk it is given up so that a session
// can still be queued, and made again once there is space.
inline const std::string BookingReserveFileName = "pending-bookings.reserve";

// The value that names the queued sessions whose totals are stored (one per line); it is written
// in the same transaction as the totals, so a session is never added to them twice.
inline constexpr const char* LastBookingSetting = "UtolsoKonyveles";

// A finished session on its way into the books.
struct Booking {
    std::string id; // unique: when it ended, the connection and a random part
    SessionFigures session;
    std::string endDate, endTime, userName;
    // The log entry and the totals are in; only the day's line is left, as planned here.
    bool dailyOnly = false;
    DailyEdit daily;
};

struct BookingOutcome {
    enum class Kind {
        Booked,     // wholly in the books
        NotANumber, // a stored text is not a number: nothing was changed by this step
        NotWritten, // a file or the store could not be written or read
    };
    Kind kind = Kind::Booked;
    std::string connection;
    std::string notice;       // NotANumber: the platform's conversion notice
    std::string source, text; // NotANumber: the value and its text
    std::string failure;      // NotWritten: what could not be written, in Hungarian
    SessionTotals totals;
};

// Books finished sessions: the log entry, the record's totals, counts and bytes (one
// transaction), then the day's line. Each session is queued in the pending file before any of
// it is written and leaves the queue only once it is wholly booked; every step can be run again
// after a crash without counting the session twice.
class SessionBooks {
public:
    // Loads what earlier runs left pending.
    SessionBooks(SettingsStore& store, std::filesystem::path home);

    // Books a session that has ended at `end`. What is still pending goes first, so that no
    // later session changes a day's line between a crash and the booking it cut short: the
    // outcomes of those come first, the new session's last.
    std::vector<BookingOutcome> book(const SessionFigures& session, const DateTime& end);
    // Tries again every session still pending (left by an earlier run or an earlier failure).
    std::vector<BookingOutcome> bookPending();
    std::size_t pendingCount() const { return m_pending.size(); }
    // A problem found while loading the pending file (it was set aside), else empty.
    const std::string& loadProblem() const { return m_loadProblem; }

private:
    BookingOutcome run(Booking& booking);
    bool savePending();
    void keepReserve();

    static constexpr std::size_t reserveSize = 64 * 1024;

    SettingsStore& m_store;
    std::filesystem::path m_home;
    std::vector<Booking> m_pending;
    std::string m_loadProblem;
};

// The pending file's text and back; nullopt for a line that is not a booking.
std::string encodeBooking(const Booking& booking);
std::optional<Booking> decodeBooking(std::string_view line);

} // namespace vonalor
