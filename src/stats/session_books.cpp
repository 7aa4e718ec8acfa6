#include "stats/session_books.h"

#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/text_file.h"
#include "settings/settings_store.h"
#include "stats/books_file.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"
#include "text/cp1250.h"
#include "text/regional.h"

#include <algorithm>
#include <random>

namespace vonalor {

namespace {

constexpr std::string_view bookingMark = "booking1";

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::vector<std::string>> unescapedFields(std::string_view line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\') {
            if (++i >= line.size())
                return std::nullopt;
            switch (line[i]) {
            case '\\':
                fields.back() += '\\';
                break;
            case 't':
                fields.back() += '\t';
                break;
            case 'n':
                fields.back() += '\n';
                break;
            case 'r':
                fields.back() += '\r';
                break;
            default:
                return std::nullopt;
            }
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::string newBookingId(const SessionFigures& session, const std::string& endDate,
                         const std::string& endTime) {
    static std::mt19937_64 random{std::random_device{}()};
    static const char* digits = "0123456789abcdef";
    std::string tag;
    for (std::uint64_t bits = random(), i = 0; i < 12; ++i, bits >>= 4)
        tag += digits[bits & 0xF];
    return endDate + " " + endTime + " " + session.connection + " " + tag;
}

std::string entryBytes(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return toCp1250(text);
}

BookingOutcome notANumber(const std::string& connection, const ConversionError& e) {
    BookingOutcome outcome;
    outcome.kind = BookingOutcome::Kind::NotANumber;
    outcome.connection = connection;
    outcome.notice = e.what();
    outcome.source = e.source();
    outcome.text = e.text();
    return outcome;
}

BookingOutcome notWritten(const std::string& connection, std::string failure) {
    BookingOutcome outcome;
    outcome.kind = BookingOutcome::Kind::NotWritten;
    outcome.connection = connection;
    outcome.failure = std::move(failure);
    return outcome;
}

} // namespace

std::string encodeBooking(const Booking& b) {
    const SessionFigures& s = b.session;
    const std::string fields[] = {
        std::string(bookingMark),
        b.id,
        b.dailyOnly ? "daily" : "all",
        s.connection,
        s.startDate,
        s.startTime,
        s.hours,
        s.minutes,
        s.seconds,
        s.currentCost,
        s.bytesSent,
        s.bytesReceived,
        b.endDate,
        b.endTime,
        b.userName,
        b.daily.oldLine,
        b.daily.newLine,
    };
    std::string line;
    for (const std::string& field : fields)
        line += (line.empty() ? "" : "\t") + escaped(field);
    return line;
}

std::optional<Booking> decodeBooking(std::string_view line) {
    const auto fields = unescapedFields(line);
    if (!fields || fields->size() != 17 || (*fields)[0] != bookingMark)
        return std::nullopt;
    const auto& f = *fields;
    if (f[2] != "daily" && f[2] != "all")
        return std::nullopt;
    Booking b;
    b.id = f[1];
    b.dailyOnly = f[2] == "daily";
    b.session = SessionFigures{f[3], true, f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11]};
    b.endDate = f[12];
    b.endTime = f[13];
    b.userName = f[14];
    b.daily.oldLine = f[15];
    b.daily.newLine = f[16];
    if (b.id.empty() || b.session.connection.empty() || !Regional::hungarian().parseDate(b.endDate))
        return std::nullopt;
    return b;
}

SessionBooks::SessionBooks(SettingsStore& store, std::filesystem::path home)
    : m_store(store), m_home(std::move(home)) {
    keepReserve();
    const std::filesystem::path file = m_home / PendingBookingsFileName;
    std::string bytes;
    const BooksFileRead read = readBooksBytes(file, bytes);
    if (read == BooksFileRead::Missing)
        return;
    bool damaged = read != BooksFileRead::Read;
    if (!damaged) {
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos)
                end = bytes.size();
            const std::string_view line(bytes.data() + start, end - start);
            if (!line.empty()) {
                if (auto booking = decodeBooking(line))
                    m_pending.push_back(std::move(*booking));
                else
                    damaged = true;
            }
            start = end + 1;
        }
    }
    if (!damaged)
        return;
    // What cannot be read is kept for the user beside a new file, never overwritten.
    const std::filesystem::path aside = file.string() + ".serult";
    std::error_code ec;
    std::filesystem::rename(file, aside, ec);
    m_loadProblem = "A függő könyvelések fájlja (" + PendingBookingsFileName +
                    ") sérült, félretéve: " + aside.filename().string();
    store.log().AddProgramLogEntry(ProgramLog::Error, m_loadProblem);
}

bool SessionBooks::savePending() {
    const std::filesystem::path file = m_home / PendingBookingsFileName;
    std::error_code ec;
    if (m_pending.empty()) {
        std::filesystem::remove(file, ec);
        return !ec;
    }
    std::string text;
    for (const Booking& booking : m_pending)
        text += encodeBooking(booking) + "\n";
    if (writeFileAtomically(file, text))
        return true;
    // A full disk: the reserve makes room for the queue, which matters more than anything else.
    if (!std::filesystem::remove(m_home / BookingReserveFileName, ec))
        return false;
    return writeFileAtomically(file, text);
}

void SessionBooks::keepReserve() {
    const std::filesystem::path file = m_home / BookingReserveFileName;
    std::error_code ec;
    if (std::filesystem::file_size(file, ec) == reserveSize)
        return;
    writeFileAtomically(file, std::string(reserveSize, '\0'));
}

std::vector<BookingOutcome> SessionBooks::book(const SessionFigures& session, const DateTime& end) {
    std::vector<BookingOutcome> outcomes = bookPending();
    if (!session.connected) {
        BookingOutcome outcome;
        outcome.connection = session.connection;
        outcome.totals = sessionTotals(m_store, session);
        outcomes.push_back(std::move(outcome));
        return outcomes;
    }
    const Regional& regional = Regional::hungarian();
    Booking booking;
    booking.session = session;
    booking.endDate = regional.formatDate(end.date);
    booking.endTime = regional.formatTime(end.time);
    booking.userName = currentUserName();
    booking.id = newBookingId(session, booking.endDate, booking.endTime);
    m_pending.push_back(std::move(booking));
    // Queued before anything else is written. If even this fails (a full disk) the booking is
    // still tried; what fails after it stays queued in memory and is tried again at the close.
    savePending();
    outcomes.push_back(run(m_pending.back()));
    return outcomes;
}

std::vector<BookingOutcome> SessionBooks::bookPending() {
    std::vector<BookingOutcome> outcomes;
    // Each run may remove its booking from the queue: walk by id.
    std::vector<std::string> ids;
    for (const Booking& booking : m_pending)
        ids.push_back(booking.id);
    for (const std::string& id : ids) {
        for (Booking& booking : m_pending) {
            if (booking.id == id) {
                outcomes.push_back(run(booking));
                break;
            }
        }
    }
    return outcomes;
}

BookingOutcome SessionBooks::run(Booking& booking) {
    ProgramLog& log = m_store.log();
    const SessionFigures& session = booking.session;
    const std::string& name = session.connection;
    const std::string id = booking.id;
    BookingOutcome outcome;
    outcome.connection = name;

    // A crash after the totals' transaction: they are in, only the day's line may be left.
    const std::vector<std::string> committed = splitLines(m_store.ReadSettingQuiet(LastBookingSetting));
    if (!booking.dailyOnly && std::find(committed.begin(), committed.end(), id) != committed.end())
        booking.dailyOnly = true;

    if (!booking.dailyOnly) {
        RecordUpdate update;
        try {
            update = planRecordUpdate(m_store, session);
        } catch (const ConversionError& e) {
            return notANumber(name, e);
        }
        outcome.totals = update.totals;

        const std::filesystem::path logFile = sessionLogFile(m_home);
        std::string bytes;
        // An existing log that cannot be read is not replaced by this one entry.
        if (readBooksBytes(logFile, bytes) == BooksFileRead::Unreadable) {
            log.AddProgramLogEntry(ProgramLog::Error, "Fájl olvasási hiba(" + SessionLogFileName + ")!");
        } else {
            const auto entry =
                sessionEntryLines(session, update.totals, booking.endDate, booking.endTime, booking.userName);
            // The entry may be there already: written before a crash or a failed store write.
            if (!bytes.ends_with(entryBytes(entry)) &&
                !writeFileAtomically(logFile, appendedBooksBytes(bytes, entry))) {
                log.AddProgramLogEntry(ProgramLog::Error, "Fájl írási hiba(" + SessionLogFileName + ")!");
                return notWritten(name, SessionLogFileName);
            }
        }

        // Marks of sessions that have left the queue are dropped on the way.
        std::string marks;
        for (const std::string& mark : committed) {
            if (std::any_of(m_pending.begin(), m_pending.end(),
                            [&](const Booking& b) { return b.id == mark; }))
                marks += mark + "\n";
        }
        update.values.emplace_back(LastBookingSetting, marks + id);
        if (!m_store.WriteSettings(update.values))
            return notWritten(name, "registry.db");
        booking.dailyOnly = true;
        booking.daily = DailyEdit{};
        // Noted at once: a later booking of this run moves the last-booking mark on.
        savePending();
    }

    const std::string dailyName = dailyStatisticsFile(m_home, name).filename().string();
    DailyUpdate daily = booking.daily.newLine.empty() ? DailyUpdate::Stale : booking.daily.outcome;
    if (daily == DailyUpdate::Recorded)
        daily = applyDailyStatistics(m_home, name, booking.daily);
    if (daily == DailyUpdate::Stale) {
        // Planned before a crash from a line that has changed since, or never planned.
        RecordUpdate figures;
        try {
            sessionDailyFigures(session, figures);
            booking.daily = planDailyStatistics(m_home, name, figures.dailyCost, figures.dailyMinutes,
                                                figures.dailyMegabytes,
                                                *Regional::hungarian().parseDate(booking.endDate));
        } catch (const ConversionError& e) {
            return notANumber(name, e);
        }
        savePending();
        daily = applyDailyStatistics(m_home, name, booking.daily);
    }
    if (daily == DailyUpdate::NotWritten || daily == DailyUpdate::Stale) {
        log.AddProgramLogEntry(ProgramLog::Error, "Fájl írási hiba(" + dailyName + ")!");
        // A day file that exists but cannot be read is reported and left alone; one that could
        // not be written keeps the session waiting.
        std::vector<std::string> lines;
        if (readBooksLines(dailyStatisticsFile(m_home, name), lines) != BooksFileRead::Unreadable)
            return notWritten(name, dailyName);
    }

    std::erase_if(m_pending, [&](const Booking& b) { return b.id == id; });
    if (!savePending())
        log.AddProgramLogEntry(ProgramLog::Error, "Fájl írási hiba(" + PendingBookingsFileName + ")!");
    return outcome;
}

SessionTotals CloseSessionBooks(SettingsStore& store, const std::filesystem::path& home, const Clock& clock,
                                const SessionFigures& session) {
    SessionBooks books(store, home);
    const BookingOutcome outcome = books.book(session, clock.now()).back();
    if (outcome.kind == BookingOutcome::Kind::NotANumber)
        throw ConversionError(outcome.notice, outcome.source, outcome.text);
    return outcome.totals;
}

} // namespace vonalor
