// The billing period: choosing the billing day and closing a period into the archive.

#include "test_support.h"

#include "settings/connection_record.h"
#include "stats/billing_period.h"
#include "text/conversion_error.h"
#include "text/cp1250.h"

namespace vonalor::test {
namespace {

std::string fixture(const std::string& name) {
    return readFile(std::filesystem::path(VONALOR_TEST_DATA_DIR) / "books" / name);
}

struct BooksBillingPeriod : CoreFixture {
    const std::vector<std::string> connections{"Otthon", "Munkahely"};

    BooksBillingPeriod() {
        for (const std::string& name : connections)
            CreateConnectionRecord(store, name);
        period("2004.10.25.", "2004.11.25.", "25");
    }
    void period(const std::string& start, const std::string& end, const std::string& day) {
        store.WriteSetting("KezdoDatum", start);
        store.WriteSetting("VegDatum", end);
        store.WriteSetting("DatumTolIg", day);
    }
    void usedOtthon() {
        store.WriteSetting("OtthonKapcsSzama", "1");
        store.WriteSetting("OtthonOsszKoltseg", "4325,5");
        store.WriteSetting("OtthonOsszOra", "12");
        store.WriteSetting("OtthonOsszPerc", "05");
        store.WriteSetting("OtthonOsszMPerc", "17");
        store.WriteSetting("OtthonKuldottBajt", "215304");
        store.WriteSetting("OtthonFogadottBajt", "1860115");
    }
    bool tick(const Date& today) {
        time.setNow(DateTime{today, TimeOfDay{12, 0, 0}});
        return closeDuePeriod(store, home.path(), time, connections);
    }
    std::string value(const std::string& name) const { return store.ReadSettingQuiet(name); }
    std::string dates() const { return value("KezdoDatum") + " - " + value("VegDatum"); }
    std::vector<std::string> archives() const {
        std::vector<std::string> names;
        if (std::filesystem::exists(home / "Naplo")) {
            for (const auto& entry : std::filesystem::directory_iterator(home / "Naplo"))
                names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(BooksBillingPeriod, ThePeriodClosesOnItsEndDateIntoTheArchive) {
    usedOtthon();
    writeFile(home / "naplo.txt", fixture("session_entry_otthon.txt"));

    EXPECT_FALSE(tick(Date{2004, 11, 24}));
    EXPECT_EQ(dates(), "2004.10.25. - 2004.11.25.");
    EXPECT_TRUE(archives().empty());

    EXPECT_TRUE(tick(Date{2004, 11, 25}));
    EXPECT_EQ(archives(), std::vector<std::string>{"2004.10.25. - 2004.11.25..txt"});
    EXPECT_EQ(readFile(home / "Naplo" / "2004.10.25. - 2004.11.25..txt"), fixture("archive_2004.10.25.txt"));
    EXPECT_TRUE(std::filesystem::exists(home / "naplo.txt"));
    EXPECT_EQ(readFile(home / "naplo.txt"), "");
    EXPECT_EQ(dates(), "2004.11.25. - 2004.12.25");
    for (const std::string& name : connections) {
        EXPECT_EQ(value(name + "OsszOra") + value(name + "OsszPerc") + value(name + "OsszMPerc"), "000000");
        EXPECT_EQ(value(name + "OsszKoltseg"), "0");
        EXPECT_EQ(value(name + "KapcsSzama"), "0");
    }
    EXPECT_EQ(value("OtthonKuldottBajt"), "215304");
    EXPECT_EQ(value("OtthonFogadottBajt"), "1860115");

    EXPECT_FALSE(tick(Date{2004, 11, 25}));
    EXPECT_TRUE(tick(Date{2004, 12, 25}));
    EXPECT_EQ(archives(),
              (std::vector<std::string>{"2004.10.25. - 2004.11.25..txt", "2004.11.25. - 2004.12.25.txt"}));
}

TEST_F(BooksBillingPeriod, TheStatisticsBlockListsEveryConnectionInListOrder) {
    usedOtthon();
    const std::vector<std::string> block = statisticsBlock(store, connections);
    std::string text;
    for (const std::string& line : block)
        text += line + "\r\n";
    EXPECT_EQ(toCp1250(text), fixture("statistics_block.txt"));
    EXPECT_EQ(block[3].size(), 92u);
}

TEST_F(BooksBillingPeriod, TheNextEndIsOneMonthOnInEveryMonth) {
    const struct {
        const char *start, *end, *day;
        Date today;
        const char* after;
    } cases[] = {
        {"2005.08.10", "2005.09.10", "10", Date{2005, 9, 10}, "2005.09.10 - 2005.10.10"},
        {"2004.11.05", "2004.12.05", "05", Date{2004, 12, 5}, "2004.12.05 - 2005.01.05"},
        {"2004.12.05", "2005.01.05", "5", Date{2005, 1, 6}, "2005.01.05 - 2005.02.05"},
        {"2004.10.25.", "2004.11.25.", "25", Date{2004, 11, 30}, "2004.11.25. - 2004.12.25"},
        // Billing days the next month lacks: its last day, and back to the billing day after it.
        {"2005.01.31.", "2005.02.28.", "31", Date{2005, 2, 28}, "2005.02.28. - 2005.03.31"},
        {"2005.02.28", "2005.03.31", "31", Date{2005, 3, 31}, "2005.03.31 - 2005.04.30"},
        {"2004.01.30", "2004.02.29", "30", Date{2004, 2, 29}, "2004.02.29 - 2004.03.30"},
        {"2005.12.31.", "2006.01.31.", "31", Date{2006, 1, 31}, "2006.01.31. - 2006.02.28"},
        // A billing day that does not stand for a longer month keeps the start's day.
        {"2005.01.28", "2005.02.28", "28", Date{2005, 2, 28}, "2005.02.28 - 2005.03.28"},
        {"2005.01.28", "2005.02.28", "", Date{2005, 2, 28}, "2005.02.28 - 2005.03.28"},
    };
    for (const auto& c : cases) {
        period(c.start, c.end, c.day);
        std::filesystem::remove_all(home / "Naplo");
        EXPECT_TRUE(tick(c.today)) << c.start;
        EXPECT_EQ(dates(), c.after) << c.start;
    }
}

TEST_F(BooksBillingPeriod, NothingChangesWhileTheArchiveFileExists) {
    usedOtthon();
    writeFile(home / "naplo.txt", "ülés\r\n");
    std::filesystem::create_directory(home / "Naplo");
    writeFile(home / "Naplo" / "2004.10.25. - 2004.11.25..txt", "régi");
    for (int i = 0; i < 3; ++i) {
        time.setNow(DateTime{Date{2004, 11, 26}, TimeOfDay{0, 0, 0}});
        time.advance(2500 * i);
        EXPECT_FALSE(closeDuePeriod(store, home.path(), time, connections));
    }
    EXPECT_EQ(readFile(home / "Naplo" / "2004.10.25. - 2004.11.25..txt"), "régi");
    EXPECT_EQ(readFile(home / "naplo.txt"), "ülés\r\n");
    EXPECT_EQ(dates(), "2004.10.25. - 2004.11.25.");
    EXPECT_EQ(value("OtthonKapcsSzama"), "1");
    EXPECT_EQ(value("OtthonOsszKoltseg"), "4325,5");
}

TEST_F(BooksBillingPeriod, SeveralOverduePeriodsCloseOnePerTick) {
    writeFile(home / "naplo.txt", fixture("session_entry_otthon.txt"));
    usedOtthon();
    time.setNow(DateTime{Date{2005, 2, 1}, TimeOfDay{8, 0, 0}});
    EXPECT_TRUE(closeDuePeriod(store, home.path(), time, connections));
    EXPECT_EQ(archives().size(), 1u);
    EXPECT_TRUE(closeDuePeriod(store, home.path(), time, connections));
    EXPECT_TRUE(closeDuePeriod(store, home.path(), time, connections));
    EXPECT_FALSE(closeDuePeriod(store, home.path(), time, connections));
    EXPECT_EQ(archives(),
              (std::vector<std::string>{"2004.10.25. - 2004.11.25..txt", "2004.11.25. - 2004.12.25.txt",
                                        "2004.12.25 - 2005.01.25.txt"}));
    EXPECT_EQ(dates(), "2005.01.25 - 2005.02.25");
    // Only the first holds the sessions; the later ones hold the block of zero totals.
    EXPECT_EQ(readFile(home / "Naplo" / "2004.10.25. - 2004.11.25..txt"), fixture("archive_2004.10.25.txt"));
    const std::string later = readFile(home / "Naplo" / "2004.12.25 - 2005.01.25.txt");
    EXPECT_EQ(later, readFile(home / "Naplo" / "2004.11.25. - 2004.12.25.txt"));
    EXPECT_EQ(later.substr(0, 3), " \r\n");
    EXPECT_NE(later.find("Otthon kapcsol\xF3"
                         "d\xE1sok sz\xE1ma : 0\r\n"),
              std::string::npos);
}

TEST_F(BooksBillingPeriod, AMissingLogArchivesTheBlockAloneAndTheFolderIsCreated) {
    usedOtthon();
    ASSERT_FALSE(std::filesystem::exists(home / "Naplo"));
    EXPECT_TRUE(tick(Date{2004, 11, 25}));
    EXPECT_EQ(readFile(home / "Naplo" / "2004.10.25. - 2004.11.25..txt"), fixture("statistics_block.txt"));
    EXPECT_EQ(readFile(home / "naplo.txt"), "");
}

TEST_F(BooksBillingPeriod, APeriodDateThatIsNotADateThrowsAndChangesNothing) {
    writeFile(home / "naplo.txt", "ülés\r\n");
    for (const auto& [start, end] :
         std::vector<std::pair<std::string, std::string>>{{"2005.01.30", "2005.02.30"},
                                                          {"2004.10.25.", "2004.11.5x"},
                                                          {"tegnap", "2004.11.25."},
                                                          {"", ""}}) {
        period(start, end, "25");
        EXPECT_THROW(tick(Date{2006, 1, 1}), ConversionError) << start << " " << end;
        EXPECT_EQ(dates(), start + " - " + end);
    }
    EXPECT_EQ(readFile(home / "naplo.txt"), "ülés\r\n");
    EXPECT_TRUE(archives().empty());
}

TEST_F(BooksBillingPeriod, AStartAfterTodayWaits) {
    period("2004.12.05", "2004.11.05", "5");
    EXPECT_FALSE(tick(Date{2004, 12, 5}));
    EXPECT_TRUE(tick(Date{2004, 12, 6}));
    EXPECT_EQ(dates(), "2004.11.05 - 2004.12.05");
}

TEST_F(BooksBillingPeriod, ChoosingTheBillingDayMovesBothDatesAndIsLogged) {
    const struct {
        int item;
        const char *dayStored, *after;
    } cases[] = {
        {4, "5", "2004.10.05 - 2004.11.05"},
        {9, "10", "2004.10.10 - 2004.11.10"},
        {27, "28", "2004.10.28 - 2004.11.28"},
        {0, "1", "2004.10.01 - 2004.11.01"},
    };
    for (const auto& c : cases) {
        period("2004.10.25.", "2004.11.25.", "25");
        changeBillingDay(store, log, c.item);
        EXPECT_EQ(value("DatumTolIg"), c.dayStored);
        EXPECT_EQ(dates(), c.after);
        EXPECT_EQ(logTexts().back(), "Kezdő és befejező dátum módosítva");
    }
    EXPECT_EQ(logTexts().size(), 4u);
}

TEST_F(BooksBillingPeriod, TheFirstPeriodEndsOnTheNextMonthsLastDayWhenItLacksTheDay) {
    const struct {
        Date today;
        const char* dates;
        const char* day;
    } cases[] = {
        {Date{2004, 10, 25}, "2004.10.25. - 2004.11.25.", "25"},
        {Date{2004, 12, 3}, "2004.12.03. - 2005.01.03.", "03"},
        {Date{2005, 1, 31}, "2005.01.31. - 2005.02.28.", "31"},
        {Date{2004, 1, 30}, "2004.01.30. - 2004.02.29.", "30"},
    };
    for (const auto& c : cases) {
        InitBillingPeriod(store, c.today);
        EXPECT_EQ(dates(), c.dates);
        EXPECT_EQ(value("DatumTolIg"), c.day);
    }
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

// A rollover cut short anywhere is finished at the next tick or start, never stuck and never
// emptying a session booked since.
TEST_F(BooksBillingPeriod, ARolloverCutShortIsFinishedAndNeverStuck) {
    usedOtthon();
    const std::string entry = fixture("session_entry_otthon.txt");
    const std::string archive = "2004.10.25. - 2004.11.25..txt";

    // Cut after the archive was written: the period had not moved on.
    writeFile(home / "naplo.txt", entry);
    ASSERT_TRUE(tick(Date{2004, 11, 25}));
    period("2004.10.25.", "2004.11.25.", "25");
    usedOtthon();
    writeFile(home / "naplo.txt", entry);
    EXPECT_TRUE(tick(Date{2004, 11, 25}));
    EXPECT_EQ(dates(), "2004.11.25. - 2004.12.25");
    EXPECT_EQ(value("OtthonKapcsSzama"), "0");
    EXPECT_EQ(readFile(home / "naplo.txt"), "");
    EXPECT_EQ(readFile(home / "Naplo" / archive), fixture("archive_2004.10.25.txt"));

    // Cut after the period moved on, before the log was emptied: the start empties it.
    writeFile(home / "naplo.txt", entry);
    store.WriteSetting(RolloverMarkSetting, archive);
    EXPECT_TRUE(finishRollover(store, home.path()));
    EXPECT_EQ(readFile(home / "naplo.txt"), "");
    EXPECT_EQ(value(RolloverMarkSetting), "");

    // A log that holds more than was archived is left alone and reported.
    writeFile(home / "naplo.txt", entry + entry);
    store.WriteSetting(RolloverMarkSetting, archive);
    EXPECT_TRUE(finishRollover(store, home.path()));
    EXPECT_EQ(readFile(home / "naplo.txt"), entry + entry);
    EXPECT_EQ(value(RolloverMarkSetting), "");
    EXPECT_FALSE(logTexts().empty());
}

} // namespace
} // namespace vonalor::test
