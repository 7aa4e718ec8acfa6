#include "stats/session_log.h"

#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/text_file.h"
#include "settings/settings_store.h"
#include "stats/books_file.h"
#include "stats/daily_statistics.h"
#include "tasks/program_log.h"
#include "text/regional.h"

#include <cstdlib>
#include <limits>
#include <pwd.h>
#include <unistd.h>

namespace vonalor {

namespace {

// A single character gets a "0" in front: "5" -> "05".
std::string withLeadingZero(std::string text) {
    if (text.size() == 1)
        text.insert(text.begin(), '0');
    return text;
}

std::string wholeText(std::int64_t value) {
    return withLeadingZero(std::to_string(value));
}

// The daily figures are cut to two decimals; a value so small that the general format writes
// it with an exponent ("9,5367431640625E-6") would otherwise be cut to "9,53".
std::string cutToTwoDecimals(long double value) {
    const std::string text = Regional::hungarian().formatFloat(value);
    if (text.find('E') != std::string::npos)
        return value > -1 && value < 1 ? "0" : text;
    return TwoDecimals(text);
}

std::int64_t addSaturating(std::int64_t total, std::uint64_t session) {
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    if (total >= 0 && session > static_cast<std::uint64_t>(max - total))
        return max;
    return total +
           static_cast<std::int64_t>(std::min<std::uint64_t>(session, static_cast<std::uint64_t>(max)));
}

} // namespace

std::filesystem::path sessionLogFile(const std::filesystem::path& home) {
    return home / SessionLogFileName;
}

std::string currentUserName() {
    if (const char* name = std::getenv("USERNAME"); name && *name)
        return name;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_name)
        return found->pw_name;
    return {};
}

std::vector<std::string> sessionEntryLines(const SessionFigures& session, const SessionTotals& totals,
                                           const std::string& endDate, const std::string& endTime,
                                           const std::string& userName) {
    return {
        session.startDate + " " + session.startTime + " -- " + endDate + " " + endTime +
            " internetezés adatai:",
        std::string(53, '"'),
        " ",
        "Kapcsolat neve......................................:  " + session.connection,
        "Kapcsolat időtartama..............................:  " + session.hours + " : " + session.minutes +
            " : " + session.seconds,
        "Kapcsolat költsége.................................:  " + session.currentCost + " Ft",
        "Kapcsolat összidőtartama.......................:  " + totals.hours + " : " + totals.minutes + " : " +
            totals.seconds,
        "Kapcsolat összköltsége..........................: " + totals.cost + " Ft",
        "Küldött bájtok száma..............................:  " + session.bytesSent + " bájt",
        "Fogadott bájtok száma...........................: " + session.bytesReceived + " bájt",
        "Felhasználó............................................: " + userName,
        " ",
        std::string(115, '-'),
        " ",
    };
}

SessionTotals sessionTotals(SettingsStore& store, const SessionFigures& session) {
    const Regional& regional = Regional::hungarian();
    const std::string& name = session.connection;
    SessionTotals totals;
    totals.cost = withLeadingZero(regional.formatFloat(
        regional.toFloat(store.ReadSetting(name + "OsszKoltseg")) + regional.toFloat(session.currentCost)));
    std::int64_t hours =
        regional.toInt64(store.ReadSetting(name + "OsszOra")) + regional.toInt64(session.hours);
    std::int64_t minutes =
        regional.toInt64(store.ReadSetting(name + "OsszPerc")) + regional.toInt64(session.minutes);
    std::int64_t seconds =
        regional.toInt64(store.ReadSetting(name + "OsszMPerc")) + regional.toInt64(session.seconds);
    // Taking 60 away as often as it goes is a division; each session carries only its own overflow.
    if (seconds >= 60) {
        minutes += seconds / 60;
        seconds %= 60;
    }
    if (minutes >= 60) {
        hours += minutes / 60;
        minutes %= 60;
    }
    totals.hours = wholeText(hours);
    totals.minutes = wholeText(minutes);
    totals.seconds = wholeText(seconds);
    return totals;
}

SessionTotals CloseSessionBooks(SettingsStore& store, const std::filesystem::path& home, const Clock& clock,
                                const SessionFigures& session) {
    const Regional& regional = Regional::hungarian();
    const SessionTotals totals = sessionTotals(store, session);
    if (!session.connected)
        return totals;

    ProgramLog& log = store.log();
    const std::string& name = session.connection;
    const DateTime now = clock.now();

    const std::filesystem::path logFile = sessionLogFile(home);
    std::string bytes;
    // An existing log that cannot be read is not replaced by this one entry.
    if (readBooksBytes(logFile, bytes) == BooksFileRead::Unreadable) {
        log.AddProgramLogEntry(ProgramLog::Error, "Fájl olvasási hiba(" + SessionLogFileName + ")!");
    } else {
        const auto entry = sessionEntryLines(session, totals, regional.formatDate(now.date),
                                             regional.formatTime(now.time), currentUserName());
        if (!writeFileAtomically(logFile, appendedBooksBytes(bytes, entry)))
            log.AddProgramLogEntry(ProgramLog::Error, "Fájl írási hiba(" + SessionLogFileName + ")!");
    }

    store.WriteSetting(name + "OsszKoltseg", totals.cost);
    store.WriteSetting(name + "OsszOra", totals.hours);
    store.WriteSetting(name + "OsszPerc", totals.minutes);
    store.WriteSetting(name + "OsszMPerc", totals.seconds);

    store.WriteSetting(
        name + "KapcsSzama",
        std::to_string(addSaturating(regional.toInt64(store.ReadSetting(name + "KapcsSzama")), 1)));

    // The displays carry thousands separators; only their digits count.
    const std::int64_t sent = regional.toInt64(store.ReadSetting(name + "KuldottBajt"));
    store.WriteSetting(name + "KuldottBajt",
                       std::to_string(addSaturating(sent, digitsOnly(session.bytesSent))));
    const std::uint64_t receivedBytes = digitsOnly(session.bytesReceived);
    const std::int64_t received = regional.toInt64(store.ReadSetting(name + "FogadottBajt"));
    store.WriteSetting(name + "FogadottBajt", std::to_string(addSaturating(received, receivedBytes)));

    const long double sessionMinutes = 60.0L * regional.toInt64(session.hours) +
                                       regional.toInt64(session.minutes) +
                                       regional.toInt64(session.seconds) / 60.0L;
    const long double megabytes = static_cast<long double>(receivedBytes) / 1048576.0L;
    const DailyUpdate daily =
        AddDailyStatistics(home, name, TwoDecimals(session.currentCost), cutToTwoDecimals(sessionMinutes),
                           cutToTwoDecimals(megabytes), now.date);
    if (daily == DailyUpdate::NotWritten)
        log.AddProgramLogEntry(ProgramLog::Error, "Fájl írási hiba(" +
                                                      dailyStatisticsFile(home, name).filename().string() +
                                                      ")!");
    return totals;
}

} // namespace vonalor
