#include "stats/session_log.h"

#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/text_file.h"
#include "settings/settings_store.h"
#include "stats/books_file.h"
#include "stats/daily_statistics.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"
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

namespace {

std::int64_t displayNumber(const std::string& text, const char* display) {
    try {
        return Regional::hungarian().toInt64(text);
    } catch (const ConversionError& e) {
        throw ConversionError(e.what(), display, text);
    }
}

} // namespace

SessionTotals sessionTotals(SettingsStore& store, const SessionFigures& session) {
    const Regional& regional = Regional::hungarian();
    const std::string& name = session.connection;
    SessionTotals totals;
    long double cost = store.readFloat(name + "OsszKoltseg");
    try {
        cost += regional.toFloat(session.currentCost);
    } catch (const ConversionError& e) {
        throw ConversionError(e.what(), "lbJelenKoltseg", session.currentCost);
    }
    totals.cost = withLeadingZero(regional.formatFloat(cost));
    std::int64_t hours = store.readInt64(name + "OsszOra") + displayNumber(session.hours, "lbOra");
    std::int64_t minutes = store.readInt64(name + "OsszPerc") + displayNumber(session.minutes, "lbPerc");
    std::int64_t seconds = store.readInt64(name + "OsszMPerc") + displayNumber(session.seconds, "lbMPerc");
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

RecordUpdate planRecordUpdate(SettingsStore& store, const SessionFigures& session) {
    const std::string& name = session.connection;
    RecordUpdate update;
    update.totals = sessionTotals(store, session);
    const std::int64_t count = store.readInt64(name + "KapcsSzama");
    // The displays carry thousands separators; only their digits count.
    const std::int64_t sent = store.readInt64(name + "KuldottBajt");
    const std::int64_t received = store.readInt64(name + "FogadottBajt");
    update.values = {
        {name + "OsszKoltseg", update.totals.cost},
        {name + "OsszOra", update.totals.hours},
        {name + "OsszPerc", update.totals.minutes},
        {name + "OsszMPerc", update.totals.seconds},
        {name + "KapcsSzama", std::to_string(addSaturating(count, 1))},
        {name + "KuldottBajt", std::to_string(addSaturating(sent, digitsOnly(session.bytesSent)))},
        {name + "FogadottBajt", std::to_string(addSaturating(received, digitsOnly(session.bytesReceived)))},
    };
    sessionDailyFigures(session, update);
    return update;
}

void sessionDailyFigures(const SessionFigures& session, RecordUpdate& update) {
    const long double sessionMinutes = 60.0L * displayNumber(session.hours, "lbOra") +
                                       displayNumber(session.minutes, "lbPerc") +
                                       displayNumber(session.seconds, "lbMPerc") / 60.0L;
    update.dailyCost = TwoDecimals(session.currentCost);
    update.dailyMinutes = cutToTwoDecimals(sessionMinutes);
    update.dailyMegabytes =
        cutToTwoDecimals(static_cast<long double>(digitsOnly(session.bytesReceived)) / 1048576.0L);
}

} // namespace vonalor
