// Sessions booked by a process that is killed at random moments: every file stays whole.

#include "test_support.h"

#include "platform/clock.h"
#include "platform/text_file.h"
#include "settings/connection_record.h"
#include "stats/daily_statistics.h"
#include "stats/session_books.h"
#include "stats/session_log.h"
#include "text/regional.h"

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace vonalor::test {
namespace {

class FixedClock final : public Clock {
public:
    DateTime now() const override { return DateTime{Date{2004, 10, 25}, TimeOfDay{9, 29, 11}}; }
};

// Books one-forint, one-minute sessions until it is killed; one byte on the pipe after each.
[[noreturn]] void bookForever(const std::filesystem::path& home, int reports) {
    auto registry = SqliteRegistry::open(home / "registry.db");
    FixedClock clock;
    ProgramLog log(clock);
    SettingsStore store(*registry, log);
    const SessionFigures session{"Otthon", true, "2004.10.25.", "9:28:11", "00",
                                 "01",     "00", "1",           "1 000",   "2 048"};
    try {
        for (;;) {
            CloseSessionBooks(store, home, clock, session);
            const char byte = 1;
            if (::write(reports, &byte, 1) != 1)
                ::_exit(2);
        }
    } catch (...) {
        ::_exit(3);
    }
}

// What a reader finds wrong with the log and the daily file; empty when both hold whole entries.
std::string wholeFilesFault(const std::filesystem::path& home) {
    const std::string log = readFile(home / "naplo.txt");
    if (!log.empty() && log.substr(log.size() - 2) != "\r\n")
        return "the log ends inside a line";
    const std::vector<std::string> lines = splitLines(log);
    if (lines.size() % 14 != 0)
        return "the log holds " + std::to_string(lines.size()) + " lines";
    for (std::size_t e = 0; e < lines.size(); e += 14) {
        if (!lines[e].ends_with(" internetez\xE9s adatai:") || lines[e + 12] != std::string(115, '-'))
            return "entry " + std::to_string(e / 14) + " is not whole";
    }
    std::vector<std::string> daily = splitLines(readFile(dailyStatisticsFile(home, "Otthon")));
    if (daily.size() != 1001)
        return "the daily file holds " + std::to_string(daily.size()) + " lines";
    for (const std::string& line : daily) {
        if (!parseDailyLine(line))
            return "daily line '" + line + "'";
    }
    return {};
}

// Kills the child however the test ends, so that no booking loop outlives it.
struct ChildGuard {
    pid_t pid;
    ~ChildGuard() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

TEST(BooksCrash, KilledWhileBookingEveryFileHoldsOnlyWholeEntries) {
    TempHome home;
    {
        auto registry = SqliteRegistry::open(home / "registry.db");
        FixedClock clock;
        ProgramLog log(clock);
        SettingsStore store(*registry, log);
        CreateConnectionRecord(store, "Otthon");
        ASSERT_TRUE(CreateDailyStatistics(home.path(), "Otthon", Date{2004, 10, 20}));
    } // no database connection may cross the fork

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    constexpr int rounds = 12;
    int booked = 0;
    for (int round = 0; round < rounds; ++round) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            bookForever(home.path(), fds[1]);
        }
        ::close(fds[1]);
        ChildGuard guard{child};
        // The files are read while the child goes on booking, as the log viewer or vonalorctl would:
        // they must be whole at every moment. The reading also lets the child run on for a while of
        // its own, so the kill after a random number of its reports lands anywhere in a booking.
        const int wanted = std::uniform_int_distribution<int>(1, 6)(random);
        for (int i = 0; i < wanted; ++i) {
            char byte = 0;
            ASSERT_EQ(::read(fds[0], &byte, 1), 1) << "the child stopped booking";
            ++booked;
            const int reads = std::uniform_int_distribution<int>(0, 3)(random);
            for (int r = 0; r < reads; ++r)
                ASSERT_EQ(wholeFilesFault(home.path()), "") << "while booking";
        }
        guard.pid = 0;
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        // Bookings the child reported that the reading above had not taken in yet also count.
        char pending[256];
        for (ssize_t n; (n = ::read(fds[0], pending, sizeof pending)) > 0;)
            booked += static_cast<int>(n);
        ::close(fds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << WEXITSTATUS(status);
        ASSERT_EQ(wholeFilesFault(home.path()), "") << "after the kill in round " << round;
    }

    // What the kills left queued is booked now, each session once.
    {
        auto registry = SqliteRegistry::open(home / "registry.db");
        FixedClock clock;
        ProgramLog log(clock);
        SettingsStore store(*registry, log);
        SessionBooks books(store, home.path());
        EXPECT_LE(books.pendingCount(), static_cast<std::size_t>(rounds));
        for (const BookingOutcome& outcome : books.bookPending())
            EXPECT_EQ(outcome.kind, BookingOutcome::Kind::Booked);
        EXPECT_EQ(books.pendingCount(), 0u);
    }

    // The log: whole fourteen-line entries and nothing else.
    const std::string logBytes = readFile(home / "naplo.txt");
    ASSERT_FALSE(logBytes.empty());
    ASSERT_EQ(logBytes.substr(logBytes.size() - 2), "\r\n");
    const std::vector<std::string> lines = splitLines(logBytes);
    ASSERT_EQ(lines.size() % 14, 0u);
    const std::size_t entries = lines.size() / 14;
    EXPECT_GE(entries, static_cast<std::size_t>(booked));
    EXPECT_LE(entries, static_cast<std::size_t>(booked + rounds));
    for (std::size_t e = 0; e < entries; ++e) {
        const std::string* entry = &lines[e * 14];
        EXPECT_EQ(entry[0], "2004.10.25. 9:28:11 -- 2004.10.25. 9:29:11 internetez\xE9s adatai:") << e;
        EXPECT_EQ(entry[1], std::string(53, '"')) << e;
        EXPECT_EQ(entry[3], "Kapcsolat neve......................................:  Otthon") << e;
        EXPECT_EQ(entry[6].substr(0, 50), "Kapcsolat \xF6sszid\xF5tartama.......................:  ") << e;
        EXPECT_EQ(entry[12], std::string(115, '-')) << e;
        EXPECT_EQ(entry[13], " ") << e;
    }

    // The record: every value a number.
    auto registry = SqliteRegistry::open(home / "registry.db");
    FixedClock clock;
    ProgramLog log(clock);
    SettingsStore store(*registry, log);
    const Regional& regional = Regional::hungarian();
    const long double cost = regional.toFloat(store.ReadSetting("OtthonOsszKoltseg"));
    const std::int64_t minutes = regional.toInt64(store.ReadSetting("OtthonOsszOra")) * 60 +
                                 regional.toInt64(store.ReadSetting("OtthonOsszPerc"));
    EXPECT_EQ(store.ReadSetting("OtthonOsszMPerc"), "00");
    const std::int64_t count = regional.toInt64(store.ReadSetting("OtthonKapcsSzama"));
    const std::int64_t sent = regional.toInt64(store.ReadSetting("OtthonKuldottBajt"));
    const std::int64_t received = regional.toInt64(store.ReadSetting("OtthonFogadottBajt"));
    // Every session that reached the queue is in every part of the books exactly once.
    const auto entryCount = static_cast<std::int64_t>(entries);
    const auto costCount = static_cast<std::int64_t>(cost);
    EXPECT_EQ(static_cast<long double>(costCount), cost);
    EXPECT_EQ(sent % 1000, 0);
    EXPECT_EQ(received % 2048, 0);
    const std::int64_t chain[] = {entryCount, costCount, minutes, count, sent / 1000, received / 2048};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        EXPECT_EQ(chain[i], chain[0]) << i;

    // The daily file: all its lines, each one readable; today's grew once per completed close-out.
    std::vector<std::string> daily;
    ASSERT_TRUE(readAnsiLines(dailyStatisticsFile(home.path(), "Otthon"), daily));
    ASSERT_EQ(daily.size(), 1001u);
    for (const std::string& line : daily)
        ASSERT_TRUE(parseDailyLine(line)) << line;
    const auto today = parseDailyLine(daily[5]);
    ASSERT_EQ(today->dateText, "2004.10.25.");
    const std::int64_t days = regional.toInt64(today->cost);
    EXPECT_EQ(today->minutes, today->cost);
    EXPECT_EQ(days, entryCount);
    EXPECT_GE(days, booked);
}

} // namespace
} // namespace vonalor::test
