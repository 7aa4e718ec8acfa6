// Closing a session's books: totals with their carries, the log entry, the record, the day's line.

#include "test_support.h"

#include "settings/connection_record.h"
#include "stats/daily_statistics.h"
#include "stats/session_books.h"
#include "stats/session_log.h"
#include "text/conversion_error.h"
#include "text/regional.h"

#include <pwd.h>
#include <unistd.h>

namespace vonalor {
void PrintTo(const SessionTotals& totals, std::ostream* out) {
    *out << totals.cost << " Ft, " << totals.hours << ":" << totals.minutes << ":" << totals.seconds;
}
} // namespace vonalor

namespace vonalor::test {
namespace {

std::string fixture(const std::string& name) {
    return readFile(std::filesystem::path(VONALOR_TEST_DATA_DIR) / "books" / name);
}

// The same lines as the program writes them: Windows-1250 bytes, CR LF.
std::string lineOf(const std::string& bytes, std::size_t index) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i)
        start = bytes.find("\r\n", start) + 2;
    return bytes.substr(start, bytes.find("\r\n", start) - start);
}

struct BooksSessionLog : CoreFixture {
    BooksSessionLog() {
        ::setenv("USERNAME", "Rezo", 1);
        CreateConnectionRecord(store, "Otthon");
        CreateDailyStatistics(home.path(), "Otthon", Date{2004, 10, 20});
        time.setNow(DateTime{Date{2004, 10, 25}, TimeOfDay{9, 29, 11}});
    }
    ~BooksSessionLog() override { ::unsetenv("USERNAME"); }

    void totals(const std::string& cost, const std::string& h, const std::string& m, const std::string& s) {
        store.WriteSetting("OtthonOsszKoltseg", cost);
        store.WriteSetting("OtthonOsszOra", h);
        store.WriteSetting("OtthonOsszPerc", m);
        store.WriteSetting("OtthonOsszMPerc", s);
    }
    static SessionFigures example() {
        return SessionFigures{"Otthon", true, "2004.10.25.", "9:05:31", "00",
                              "23",     "40", "142",         "215 304", "1 860 115"};
    }
    std::string value(const std::string& name) const { return store.ReadSettingQuiet(name); }
    std::string dailyLine(const Date& day) const {
        const std::string text = readFile(dailyStatisticsFile(home.path(), "Otthon"));
        const std::string date = Regional::hungarian().formatDate(day);
        const std::size_t at = text.find(date + "-");
        return at == std::string::npos ? std::string() : text.substr(at, text.find("\r\n", at) - at);
    }
    std::string logText() const { return readFile(home / "naplo.txt"); }
};

TEST_F(BooksSessionLog, TheExampleSessionIsBookedByteForByte) {
    totals("4183,5", "11", "41", "37");
    const SessionTotals result = CloseSessionBooks(store, home.path(), time, example());

    EXPECT_EQ(result, (SessionTotals{"4325,5", "12", "05", "17"}));
    EXPECT_EQ(logText(), fixture("session_entry_otthon.txt"));
    EXPECT_EQ(value("OtthonOsszKoltseg"), "4325,5");
    EXPECT_EQ(value("OtthonOsszOra"), "12");
    EXPECT_EQ(value("OtthonOsszPerc"), "05");
    EXPECT_EQ(value("OtthonOsszMPerc"), "17");
    EXPECT_EQ(value("OtthonKapcsSzama"), "1");
    EXPECT_EQ(value("OtthonKuldottBajt"), "215304");
    EXPECT_EQ(value("OtthonFogadottBajt"), "1860115");
    // 23 min 40 s = 23,666... min; 1 860 115 bytes = 1,7739... MB; both cut, not rounded.
    EXPECT_EQ(dailyLine(Date{2004, 10, 25}), "2004.10.25.-[142](23,66){1,77}");
    EXPECT_EQ(dailyLine(Date{2004, 10, 24}), "2004.10.24.-[0](0){0}");
    EXPECT_TRUE(logTexts().empty());
}

TEST_F(BooksSessionLog, TheEntryLinesAreExactlyAsLaidOut) {
    CloseSessionBooks(store, home.path(), time, example());
    const std::string text = logText();
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 14);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 14);
    EXPECT_EQ(lineOf(text, 1), std::string(53, '"'));
    for (const std::size_t blank : {2u, 11u, 13u})
        EXPECT_EQ(lineOf(text, blank), " ") << blank;
    EXPECT_EQ(lineOf(text, 12), std::string(115, '-'));
    // Windows-1250: "ő" is one byte 0xF5, "á" 0xE1.
    EXPECT_EQ(lineOf(text, 4).substr(0, 13), "Kapcsolat id\xF5");
    EXPECT_EQ(lineOf(text, 10), "Felhaszn\xE1l\xF3............................................: Rezo");
}

TEST_F(BooksSessionLog, TotalsCarrySecondsAndMinutesAndKeepTheLeadingZeroRule) {
    const struct {
        const char* name;
        const char *cost, *h, *m, *s;           // the record before
        const char *sessionCost, *sh, *sm, *ss; // the session's displays
        SessionTotals expected;
    } cases[] = {
        {"45 s + 20 s", "0", "00", "00", "45", "0", "00", "00", "20", {"00", "00", "01", "05"}},
        {"and 59 min", "0", "03", "59", "45", "0", "00", "00", "20", {"00", "04", "00", "05"}},
        {"cost 0 + 5", "0", "00", "00", "00", "5", "00", "00", "01", {"05", "00", "00", "01"}},
        {"4325,5 + 142", "4325,5", "12", "05", "17", "142", "00", "00", "00", {"4467,5", "12", "05", "17"}},
        {"half a forint", "0", "00", "00", "00", "0,5", "00", "00", "00", {"0,5", "00", "00", "00"}},
        {"nothing spent", "0", "00", "00", "00", "0", "00", "00", "00", {"00", "00", "00", "00"}},
        {"hours past 99", "0", "99", "59", "59", "0", "00", "00", "01", {"00", "100", "00", "00"}},
        {"double carry", "0", "00", "59", "59", "1,25", "00", "59", "59", {"1,25", "01", "59", "58"}},
        {"long session", "7", "1", "5", "9", "3", "120", "130", "190", {"10", "123", "18", "19"}},
    };
    for (const auto& c : cases) {
        totals(c.cost, c.h, c.m, c.s);
        SessionFigures session = example();
        session.currentCost = c.sessionCost;
        session.hours = c.sh;
        session.minutes = c.sm;
        session.seconds = c.ss;
        EXPECT_EQ(CloseSessionBooks(store, home.path(), time, session), c.expected) << c.name;
        EXPECT_EQ(value("OtthonOsszKoltseg"), c.expected.cost) << c.name;
        EXPECT_EQ(value("OtthonOsszOra") + ":" + value("OtthonOsszPerc") + ":" + value("OtthonOsszMPerc"),
                  c.expected.hours + ":" + c.expected.minutes + ":" + c.expected.seconds)
            << c.name;
    }
}

TEST_F(BooksSessionLog, ASessionNeverConnectedComputesTotalsButWritesNothing) {
    totals("10", "00", "00", "45");
    const std::string dailyBefore = readFile(dailyStatisticsFile(home.path(), "Otthon"));
    SessionFigures session = example();
    session.connected = false;
    session.seconds = "20";

    EXPECT_EQ(CloseSessionBooks(store, home.path(), time, session), (SessionTotals{"152", "00", "24", "05"}));
    EXPECT_FALSE(std::filesystem::exists(home / "naplo.txt"));
    EXPECT_EQ(value("OtthonOsszKoltseg"), "10");
    EXPECT_EQ(value("OtthonOsszMPerc"), "45");
    EXPECT_EQ(value("OtthonKapcsSzama"), "0");
    EXPECT_EQ(value("OtthonFogadottBajt"), "0");
    EXPECT_EQ(readFile(dailyStatisticsFile(home.path(), "Otthon")), dailyBefore);
}

TEST_F(BooksSessionLog, TwoSessionsInOneRunEachCarryOnlyTheirOwnOverflow) {
    totals("0", "00", "00", "20");
    SessionFigures first{"Otthon", true, "2004.10.25.", "9:00:00", "00", "00", "50", "1,5", "1 000", "2 000"};
    EXPECT_EQ(CloseSessionBooks(store, home.path(), time, first), (SessionTotals{"1,5", "00", "01", "10"}));
    time.advance(3600'000);
    SessionFigures second{"Otthon", true, "2004.10.25.", "10:00:00", "00", "00", "30", "2", "5", "48"};
    EXPECT_EQ(CloseSessionBooks(store, home.path(), time, second), (SessionTotals{"3,5", "00", "01", "40"}));

    EXPECT_EQ(value("OtthonKapcsSzama"), "2");
    EXPECT_EQ(value("OtthonKuldottBajt"), "1005");
    EXPECT_EQ(value("OtthonFogadottBajt"), "2048");
    const std::string text = logText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 28);
    EXPECT_EQ(lineOf(text, 0), "2004.10.25. 9:00:00 -- 2004.10.25. 9:29:11 internetez\xE9s adatai:");
    EXPECT_EQ(lineOf(text, 14), "2004.10.25. 10:00:00 -- 2004.10.25. 10:29:11 internetez\xE9s adatai:");
    EXPECT_EQ(lineOf(text, 20), "Kapcsolat \xF6sszid\xF5tartama.......................:  00 : 01 : 40");
    // 50 s = 0,8333 min and 30 s = 0,5 min, each cut before it is added.
    EXPECT_EQ(dailyLine(Date{2004, 10, 25}), "2004.10.25.-[3,5](1,33){0}");
}

TEST_F(BooksSessionLog, ByteTotalsAreSixtyFourBitAndKeepOnlyTheDisplaysDigits) {
    store.WriteSetting("OtthonKuldottBajt", "2147483647");
    store.WriteSetting("OtthonFogadottBajt", "4294967296");
    SessionFigures session = example();
    session.bytesSent = "1";
    session.bytesReceived = "4 294 967 296";
    CloseSessionBooks(store, home.path(), time, session);
    EXPECT_EQ(value("OtthonKuldottBajt"), "2147483648");
    EXPECT_EQ(value("OtthonFogadottBajt"), "8589934592");
    EXPECT_EQ(dailyLine(Date{2004, 10, 25}), "2004.10.25.-[142](23,66){4096}");
}

TEST_F(BooksSessionLog, AFewReceivedBytesAddNothingRatherThanAWrongCut) {
    // 10 bytes are 9,5367431640625E-6 megabytes; cutting that text would book 9,53 MB.
    for (const char* bytes : {"0", "1", "10"}) {
        CreateDailyStatistics(home.path(), "Otthon", Date{2004, 10, 20});
        SessionFigures session = example();
        session.bytesReceived = bytes;
        CloseSessionBooks(store, home.path(), time, session);
        EXPECT_EQ(dailyLine(Date{2004, 10, 25}), "2004.10.25.-[142](23,66){0}") << bytes;
    }
}

TEST_F(BooksSessionLog, ASessionPastMidnightIsBookedOnTheNewDay) {
    time.setNow(DateTime{Date{2004, 10, 26}, TimeOfDay{0, 10, 0}});
    SessionFigures session{"Otthon", true, "2004.10.25.", "23:50:00", "00", "20", "00", "40", "0", "0"};
    CloseSessionBooks(store, home.path(), time, session);
    EXPECT_EQ(dailyLine(Date{2004, 10, 25}), "2004.10.25.-[0](0){0}");
    EXPECT_EQ(dailyLine(Date{2004, 10, 26}), "2004.10.26.-[40](20){0}");
    EXPECT_EQ(lineOf(logText(), 0), "2004.10.25. 23:50:00 -- 2004.10.26. 0:10:00 internetez\xE9s adatai:");
}

TEST_F(BooksSessionLog, ADeletedDailyFileIsPreparedFromTodayAndTheCloseOutCompletes) {
    std::filesystem::remove(dailyStatisticsFile(home.path(), "Otthon"));
    CloseSessionBooks(store, home.path(), time, example());
    const std::string text = readFile(dailyStatisticsFile(home.path(), "Otthon"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1001);
    EXPECT_EQ(lineOf(text, 0), "2004.10.25.-[142](23,66){1,77}");
    EXPECT_EQ(lineOf(text, 1000), "2007.07.22.-[0](0){0}");
    EXPECT_EQ(value("OtthonKapcsSzama"), "1");
}

TEST_F(BooksSessionLog, AnEntryIsAppendedToWhatTheLogHolds) {
    totals("4183,5", "11", "41", "37");
    writeFile(home / "naplo.txt", "els\xF5 sor\r\n \r\n");
    CloseSessionBooks(store, home.path(), time, example());
    EXPECT_EQ(logText(), "els\xF5 sor\r\n \r\n" + fixture("session_entry_otthon.txt"));
}

// A value that is not a number stops the close-out before anything is written; the session
// waits in the pending file and is booked once, whole, when the value has been repaired.
TEST_F(BooksSessionLog, ABrokenRecordValueBooksNothingAndTheSessionWaitsUntilItIsRepaired) {
    for (const char* broken : {"OtthonOsszKoltseg", "OtthonOsszOra", "OtthonOsszPerc", "OtthonOsszMPerc",
                               "OtthonKapcsSzama", "OtthonKuldottBajt", "OtthonFogadottBajt"}) {
        totals("4183,5", "11", "41", "37");
        for (const char* name : {"OtthonKapcsSzama", "OtthonKuldottBajt", "OtthonFogadottBajt"})
            store.WriteSetting(name, "0");
        CreateDailyStatistics(home.path(), "Otthon", Date{2004, 10, 20});
        std::filesystem::remove(home / "naplo.txt");
        const std::string dailyBefore = readFile(dailyStatisticsFile(home.path(), "Otthon"));
        const std::string good = value(broken);
        store.WriteSetting(broken, "12.5");

        try {
            CloseSessionBooks(store, home.path(), time, example());
            ADD_FAILURE() << broken << " did not stop the close-out";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.source(), broken);
            EXPECT_EQ(e.text(), "12.5");
        }
        EXPECT_FALSE(std::filesystem::exists(home / "naplo.txt")) << broken;
        EXPECT_EQ(value("OtthonKapcsSzama"), std::string(broken) == "OtthonKapcsSzama" ? "12.5" : "0")
            << broken;
        EXPECT_EQ(readFile(dailyStatisticsFile(home.path(), "Otthon")), dailyBefore) << broken;

        store.WriteSetting(broken, good);
        SessionBooks books(store, home.path());
        ASSERT_EQ(books.pendingCount(), 1u) << broken;
        const auto outcomes = books.bookPending();
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_EQ(outcomes[0].kind, BookingOutcome::Kind::Booked) << broken;
        EXPECT_EQ(books.pendingCount(), 0u);
        EXPECT_EQ(logText(), fixture("session_entry_otthon.txt")) << broken;
        EXPECT_EQ(value("OtthonOsszKoltseg"), "4325,5");
        EXPECT_EQ(value("OtthonKapcsSzama"), "1");
        EXPECT_EQ(dailyLine(Date{2004, 10, 25}), "2004.10.25.-[142](23,66){1,77}") << broken;
        EXPECT_FALSE(std::filesystem::exists(home / PendingBookingsFileName));
        // Booking the queue again finds nothing to add.
        EXPECT_TRUE(SessionBooks(store, home.path()).bookPending().empty());
    }
}

TEST_F(BooksSessionLog, AMalformedDailyLineLeavesTheDailyFileAndKeepsTheRest) {
    totals("4183,5", "11", "41", "37");
    writeFile(dailyStatisticsFile(home.path(), "Otthon"), "2004.10.25.-[12.5](1){2}\r\n");
    EXPECT_THROW(CloseSessionBooks(store, home.path(), time, example()), ConversionError);
    EXPECT_EQ(readFile(dailyStatisticsFile(home.path(), "Otthon")), "2004.10.25.-[12.5](1){2}\r\n");
    EXPECT_EQ(value("OtthonFogadottBajt"), "1860115");
    EXPECT_EQ(logText(), fixture("session_entry_otthon.txt"));

    // Repaired, only the day's line is left to book: the log and the totals are not added again.
    writeFile(dailyStatisticsFile(home.path(), "Otthon"), "2004.10.25.-[12,5](1){2}\r\n");
    SessionBooks books(store, home.path());
    ASSERT_EQ(books.bookPending().size(), 1u);
    EXPECT_EQ(readFile(dailyStatisticsFile(home.path(), "Otthon")), "2004.10.25.-[154,5](24,66){3,77}\r\n");
    EXPECT_EQ(value("OtthonFogadottBajt"), "1860115");
    EXPECT_EQ(value("OtthonKapcsSzama"), "1");
    EXPECT_EQ(logText(), fixture("session_entry_otthon.txt"));
    EXPECT_EQ(books.pendingCount(), 0u);
}

TEST_F(BooksSessionLog, AMissingRecordValueIsReportedAndStopsTheCloseOut) {
    registry->remove(RegistryRoot::LocalMachine, ProgramKey, "OtthonOsszPerc");
    EXPECT_THROW(CloseSessionBooks(store, home.path(), time, example()), ConversionError);
    EXPECT_EQ(logTexts(), std::vector<std::string>{"Registry olvasási hiba(S: OtthonOsszPerc)!"});
    EXPECT_FALSE(std::filesystem::exists(home / "naplo.txt"));
}

TEST_F(BooksSessionLog, AnUnwritableLogIsReportedAndTheTotalsAreStillBooked) {
    std::filesystem::create_directory(home / "naplo.txt"); // a folder in the file's place
    CloseSessionBooks(store, home.path(), time, example());
    EXPECT_EQ(logTexts(), std::vector<std::string>{"Fájl olvasási hiba(naplo.txt)!"});
    EXPECT_EQ(value("OtthonKapcsSzama"), "1");
    EXPECT_EQ(dailyLine(Date{2004, 10, 25}), "2004.10.25.-[142](23,66){1,77}");
}

TEST_F(BooksSessionLog, TheUserNameFallsBackToTheAccountsLoginName) {
    ::unsetenv("USERNAME");
    const passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    ASSERT_NE(std::string(account->pw_name), "");
    EXPECT_EQ(currentUserName(), account->pw_name);
    CloseSessionBooks(store, home.path(), time, example());
    EXPECT_EQ(lineOf(logText(), 10), "Felhaszn\xE1l\xF3............................................: " +
                                         std::string(account->pw_name));
}

} // namespace
} // namespace vonalor::test
