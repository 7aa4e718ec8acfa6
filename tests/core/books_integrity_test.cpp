// Sessions reach the books once, whole, whatever goes wrong on the way.

#include "core_fixture.h"

#include "platform/timer_service.h"
#include "stats/daily_statistics.h"
#include "stats/session_books.h"
#include "text/cp1250.h"
#include "text/regional.h"

namespace vonalor::test {
namespace {

struct IntegrityTest : LaterStartTest {
    IntegrityTest() {
        ::setenv("USERNAME", "Rezo", 1);
        store.WriteSetting("OtthonHetKozDelelott", "6");
        for (const char* name : {"Otthon", "Munkahely"})
            CreateDailyStatistics(home.path(), name, Date{2004, 10, 20});
    }
    ~IntegrityTest() override { ::unsetenv("USERNAME"); }

    // Through a second of set-up, as a dialled line comes up.
    void connect() {
        ras.connect("Otthon", 1);
        time.advance(1010);
    }
    void drop() {
        ras.drop("Otthon");
        time.advance(10);
    }
    std::string naplo() const {
        std::error_code ec;
        return std::filesystem::exists(home / "naplo.txt", ec) ? readFile(home / "naplo.txt") : std::string();
    }
    static std::size_t entries(const std::string& log) {
        std::size_t count = 0;
        for (std::size_t at = log.find("internetez"); at != std::string::npos;
             at = log.find("internetez", at + 1))
            ++count;
        return count;
    }
    std::vector<std::string> notices() const {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.shown())
            texts.push_back(shown.text);
        return texts;
    }
    bool logged(const std::string& text) const {
        const auto all = logTexts();
        return std::find(all.begin(), all.end(), text) != all.end();
    }
};

// A first start takes up the values a home already holds and fills in only what is missing.
TEST_F(ProgramCoreTest, AFirstStartKeepsTheValuesAndDaysAHomeAlreadyHolds) {
    phonebook("entry Otthon Net\n");
    store.WriteSetting("Otthon NetHetKozDelelott", "6");
    store.WriteSetting("Otthon NetOsszKoltseg", "4325,5");
    writeFile(home / "Otthon NetDiagram.ini", "2004.10.20.-[12](3){4}\r\n");
    start();
    EXPECT_EQ(setting("ElsoInditas"), "0");
    EXPECT_EQ(setting("Otthon NetHetKozDelelott"), "6");
    EXPECT_EQ(setting("Otthon NetOsszKoltseg"), "4325,5");
    EXPECT_EQ(setting("Otthon NetHetVegEjjel"), "1");
    EXPECT_EQ(setting("Otthon NetKapcsSzama"), "0");
    EXPECT_EQ(readFile(home / "Otthon NetDiagram.ini"), "2004.10.20.-[12](3){4}\r\n");
}

// An entry added anywhere in the list is the new one; the others keep their records and days.
TEST_F(IntegrityTest, ANewEntryFirstInTheListIsFoundByNameAndResetsNobody) {
    phonebook("entry Otthon\nentry Munkahely\n");
    start();
    core.reset();
    store.WriteSetting("MunkahelyHetKozDelelott", "7");
    store.WriteSetting("MunkahelyOsszKoltseg", "100");
    writeFile(home / "MunkahelyDiagram.ini", "2004.10.20.-[100](10){1}\r\n");

    phonebook("entry Anna\nentry Otthon\nentry Munkahely\n");
    start();
    time.advance(2000);
    ASSERT_EQ(notices().size(), 1u);
    EXPECT_NE(notices()[0].find("a \"Anna\" kapcsolatnak"), std::string::npos) << notices()[0];
    EXPECT_EQ(setting("AnnaHetKozDelelott"), "1");
    EXPECT_TRUE(std::filesystem::exists(home / "AnnaDiagram.ini"));
    EXPECT_EQ(setting("MunkahelyHetKozDelelott"), "7");
    EXPECT_EQ(setting("MunkahelyOsszKoltseg"), "100");
    EXPECT_EQ(readFile(home / "MunkahelyDiagram.ini"), "2004.10.20.-[100](10){1}\r\n");
    EXPECT_EQ(setting("KapcsolatokSzama"), "3");
    time.advance(4000);
    EXPECT_EQ(notices().size(), 1u); // taken up once
}

// Whatever stops the close-out, the session ends once: the window shows no connection, the
// counters stop, the failure names the value, and the close books nothing a second time.
TEST_F(IntegrityTest, AFailedCloseOutEndsTheSessionOnceAndNamesTheValue) {
    const struct {
        const char* setting; // a record value, or empty for the day's line
        const char* dailyLine;
        const char* source; // what the notice and the log name
        const char* text;
    } cases[] = {
        {"OtthonKapcsSzama", nullptr, "OtthonKapcsSzama", "x"},
        {"OtthonKuldottBajt", nullptr, "OtthonKuldottBajt", "x"},
        {"OtthonFogadottBajt", nullptr, "OtthonFogadottBajt", "x"},
        {"", "2004.10.20.-[x](0){0}", "OtthonDiagram.ini: 2004.10.20.-[x](0){0}", "x"},
        {"", "2004.10.20.-(0){0}", "OtthonDiagram.ini: 2004.10.20.-(0){0}", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        core.reset();
        dialogs.clear();
        std::filesystem::remove(home / "naplo.txt");
        std::filesystem::remove(home / PendingBookingsFileName);
        CreateConnectionRecord(store, "Otthon");
        for (const char* name : {"OtthonKapcsSzama", "OtthonKuldottBajt", "OtthonFogadottBajt"})
            store.WriteSetting(name, "0");
        if (*c.setting)
            store.WriteSetting(c.setting, c.text);
        writeFile(home / "OtthonDiagram.ini",
                  std::string(c.dailyLine ? c.dailyLine : "2004.10.20.-[0](0){0}") + "\r\n");
        start();
        connect();
        time.advance(3000);
        drop();

        EXPECT_EQ(state().session.lbKapcsAllap, "Nincs Kapcsolat");
        EXPECT_FALSE(core->timer(TimerId::Idotartam).enabled());
        EXPECT_FALSE(core->timer(TimerId::Koltsegek).enabled());
        const std::string notice = notices().empty() ? std::string() : notices().back();
        EXPECT_NE(notice.find(std::string("(") + c.source + ")"), std::string::npos) << notice;
        EXPECT_TRUE(logged("Hibás számérték: " + std::string(c.source) + " = '" + c.text + "'"));
        const std::string afterDrop = naplo();
        const std::string countAfterDrop = setting("OtthonKapcsSzama");
        const std::string lineAfterDrop = readFile(home / "OtthonDiagram.ini");

        time.advance(5000);
        ASSERT_TRUE(core->FormCloseQuery());
        core->FormClose();
        EXPECT_EQ(naplo(), afterDrop);
        EXPECT_LE(entries(naplo()), 1u);
        EXPECT_EQ(setting("OtthonKapcsSzama"), countAfterDrop);
        EXPECT_EQ(readFile(home / "OtthonDiagram.ini"), lineAfterDrop);
        // One notice for the failure, however often it recurs.
        const auto shown = notices();
        EXPECT_EQ(std::count(shown.begin(), shown.end(), notice), 1);
        EXPECT_TRUE(std::filesystem::exists(home / PendingBookingsFileName));

        // Repaired, the next start books the session once.
        if (*c.setting)
            store.WriteSetting(c.setting, "0");
        else
            writeFile(home / "OtthonDiagram.ini", "2004.10.20.-[0](0){0}\r\n");
        core.reset();
        start();
        EXPECT_EQ(entries(naplo()), 1u);
        EXPECT_EQ(setting("OtthonKapcsSzama"), "1");
        EXPECT_EQ(readFile(home / "OtthonDiagram.ini").substr(0, 14), "2004.10.20.-[0");
        EXPECT_NE(readFile(home / "OtthonDiagram.ini"), "2004.10.20.-[0](0){0}\r\n");
        EXPECT_FALSE(std::filesystem::exists(home / PendingBookingsFileName));
    }
}

// In the first second of the second minute the display holds the bare tariff; the books still
// receive the session's cost with its fee.
TEST_F(IntegrityTest, ASessionEndingInItsSixtyFirstSecondIsBookedWithItsFee) {
    store.WriteSetting("OtthonVanKapcsDij", "1");
    store.WriteSetting("OtthonKapcsDijErteke", "20");
    start();
    connect();
    std::string before;
    while (!(state().duration.lbPerc == "01" && state().duration.lbMPerc == "01")) {
        before = state().cost.lbJelenKoltseg;
        time.advance(1000);
    }
    ASSERT_EQ(state().cost.lbJelenKoltseg, "6"); // the display's quirk
    const std::string booked = state().cost.bookedCost;
    EXPECT_EQ(booked.substr(0, 3), "26,") << before;
    drop();
    EXPECT_NE(
        naplo().find(toCp1250("Kapcsolat költsége.................................:  " + booked + " Ft")),
        std::string::npos);
    const Regional& regional = Regional::hungarian();
    EXPECT_EQ(setting("OtthonOsszKoltseg"), regional.formatFloat(regional.toFloat(booked)));
    EXPECT_EQ(readFile(home / "OtthonDiagram.ini").substr(0, 16), "2004.10.20.-[" + booked.substr(0, 3));
}

TEST_F(IntegrityTest, ACompanionPositionThatIsNotANumberFallsBackAndTheSessionIsBooked) {
    store.WriteSetting("KiseroBal", "abc");
    start();
    connect();
    time.advance(3000);
    drop();
    connect();
    time.advance(2000);
    drop();
    EXPECT_EQ(entries(naplo()), 2u);
    EXPECT_EQ(setting("OtthonKapcsSzama"), "2");
    EXPECT_TRUE(notices().empty());
    const auto all = logTexts();
    EXPECT_EQ(std::count(all.begin(), all.end(), "Hibás számérték: KiseroBal = 'abc', helyette 40 érvényes"),
              1);
}

TEST_F(IntegrityTest, ADecimalMoneyAllowanceWarnsOnceAndNeverNags) {
    store.WriteSetting("MatavFele", "1");
    store.WriteSetting("Jelezzen", "1");
    store.WriteSetting("OtthonKedvErteke", "2,5");
    start();
    connect();
    time.advance(40000); // 6 Ft a minute: past 2,5 Ft after 25 seconds
    std::vector<std::string> shown = notices();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("2,5 Ft"), std::string::npos) << shown[0];
}

TEST_F(IntegrityTest, AnAllowanceSwitchedOffIsNotRead) {
    registry->remove(RegistryRoot::LocalMachine, ProgramKey, "OtthonKedvErteke");
    start();
    connect();
    time.advance(5000);
    EXPECT_FALSE(logged("Registry olvasási hiba(S: OtthonKedvErteke)!"));
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

// A stored figure the books cannot hold stops its event with a notice naming it; nothing wrong
// reaches the books.
TEST_F(IntegrityTest, AStoredAmountTheBooksCannotHoldNeverReachesThem) {
    // A price stops the cost calculation (the session is booked with what was counted, nothing);
    // a total stops the close-out and the session waits.
    const struct {
        const char* setting;
        const char* text;
        bool booked;
    } cases[] = {
        {"OtthonHetKozDelelott", "1E20", true},
        {"OtthonHetKozDelelott", "inf", true},
        {"OtthonHetKozDelelott", "nan", true},
        {"OtthonHetKozDelelott", "-3", true},
        {"OtthonOsszMPerc", "9223372036854775807", false},
        {"OtthonOsszKoltseg", "+Inf", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.setting) + "=" + c.text);
        core.reset();
        dialogs.clear();
        std::filesystem::remove(home / "naplo.txt");
        std::filesystem::remove(home / PendingBookingsFileName);
        for (const auto& [name, text] : {std::pair{"OtthonHetKozDelelott", "6"},
                                         {"OtthonOsszMPerc", "00"},
                                         {"OtthonOsszKoltseg", "0"},
                                         {"OtthonKapcsSzama", "0"}})
            store.WriteSetting(name, text);
        store.WriteSetting(c.setting, c.text);
        start();
        connect();
        time.advance(5000);
        drop();
        EXPECT_EQ(state().session.lbKapcsAllap, "Nincs Kapcsolat");
        EXPECT_FALSE(notices().empty());
        EXPECT_EQ(setting("OtthonKapcsSzama"), c.booked ? "1" : "0");
        if (c.booked)
            EXPECT_NE(naplo().find(toCp1250("Kapcsolat költsége.................................:  0 Ft")),
                      std::string::npos);
        else
            EXPECT_EQ(naplo(), "");
        const auto all = logTexts();
        EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const std::string& t) {
            return t.find(std::string("Hibás számérték: ") + c.setting) == 0;
        }));
    }
}

// A bad period date is met every 2,5 seconds: its notice names it once a run.
TEST_F(IntegrityTest, ARepeatingFailureIsShownOnceARunAndNamesItsSetting) {
    store.WriteSetting("KezdoDatum", "abc");
    start();
    time.advance(10000);
    const auto shown = notices();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "'abc' is not a valid date\r(KezdoDatum)");
    const auto all = logTexts();
    EXPECT_EQ(std::count(all.begin(), all.end(), "Hibás számérték: KezdoDatum = 'abc'"), 1);
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

// Entry names become file names of the data home only when they stay in it, and names that
// differ only in letter case never share one record.
TEST_F(ProgramCoreTest, HostileAndLookAlikeEntryNamesAreRefusedWithAMessage) {
    const TempHome outside;
    const std::string absolute = (outside.path() / "abs").string();
    phonebook("entry ../outside/evil\nentry " + absolute +
              "\nentry Otthon\nentry OTTHON\nentry a\\b\nentry ..\n");
    start();
    EXPECT_EQ(core->state().phonebook.entries, std::vector<std::string>{"Otthon"});
    EXPECT_FALSE(std::filesystem::exists(home.path().parent_path() / "outside"));
    EXPECT_FALSE(std::filesystem::exists(absolute + "Diagram.ini"));
    EXPECT_EQ(setting(absolute + "OsszKoltseg"), "");
    EXPECT_EQ(setting("KapcsolatokSzama"), "1");
    ASSERT_EQ(dialogs.shown().size(), 5u);
    EXPECT_EQ(dialogs.shown()[2].text, "A(z) \"OTTHON\" kapcsolatot a program nem figyeli: csak kis- és "
                                       "nagybetűben tér el ettől: \"Otthon\".");

    // A session of the look-alike is not booked into Otthon's record; Otthon's own is.
    ras.connect("OTTHON", 1);
    time.advance(5000);
    EXPECT_EQ(core->state().session.lbKapcsAllap, "Nincs Kapcsolat");
    ras.drop("OTTHON");
    ras.connect("Otthon", 1);
    time.advance(5000);
    EXPECT_EQ(core->state().session.lbKapcsAllap, "Csatlakoztatva");
    ras.drop("Otthon");
    time.advance(10);
    EXPECT_EQ(setting("OtthonKapcsSzama"), "1");
    time.advance(4000);
    EXPECT_EQ(dialogs.shown().size(), 5u); // each refusal said once a run
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

TEST_F(IntegrityTest, TheAllowanceFieldStoresOnlyAnAmountTheBooksCanHold) {
    start();
    const struct {
        const char* typed;
        bool stored;
        const char* value;
    } cases[] = {
        {"2,5", true, "2,5"}, {"", true, "0"},       {"1,2,3", false, "0"},
        {"1E20", false, "0"}, {"-3", false, "0"},    {"1000000001", false, "0"},
        {"12,", true, "12,"}, {"inf", false, "12,"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core->edKedvChange("Otthon", c.typed), c.stored) << c.typed;
        EXPECT_EQ(setting("OtthonKedvErteke"), c.value) << c.typed;
    }
}

} // namespace
} // namespace vonalor::test
