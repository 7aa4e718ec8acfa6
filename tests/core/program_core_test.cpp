#include "core_fixture.h"

#include "browser/browser_settings.h"
#include "text/conversion_error.h"

namespace vonalor::test {
namespace {

TEST_F(ProgramCoreTest, FirstStartWithThreeEntriesPreparesEverything) {
    phonebook("entry Otthon\nentry Munka hely\nentry Mobil\ndevice modem Belső modem\n");
    time.setNow(DateTime{Date{2004, 10, 25}, TimeOfDay{9, 5, 31}});
    start();

    for (const std::string name : {"Otthon", "Munka hely", "Mobil"}) {
        EXPECT_EQ(setting(name + "OsszOra"), "00");
        EXPECT_EQ(setting(name + "HetVegEjjel"), "1");
        EXPECT_EQ(setting(name + "FogadottBajt"), "0");
        const std::string file = readFile(home / (name + "Diagram.ini"));
        EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1001) << name;
        EXPECT_EQ(file.substr(0, 23), "2004.10.25.-[0](0){0}\r\n");
        EXPECT_TRUE(file.ends_with("2007.07.22.-[0](0){0}\r\n")) << file.substr(file.size() - 30);
    }
    EXPECT_EQ(setting("KapcsolatokSzama"), "3");
    EXPECT_TRUE(std::filesystem::is_directory(home / "Naplo"));
    EXPECT_EQ(autostart.entry(), "/opt/vonalor/Vonalor.exe");
    EXPECT_EQ(setting("ElsoInditas"), "0");
    EXPECT_EQ(setting("KezdoDatum"), "2004.10.25.");
    EXPECT_EQ(setting("VegDatum"), "2004.11.25.");
    EXPECT_EQ(setting("DatumTolIg"), "25");
    EXPECT_EQ(setting("DiaKezdoDatum"), "2004.10.25.");
    EXPECT_EQ(setting("DiaVegDatum"), "2004.11.24.");
    EXPECT_EQ(readFile(home / "Weblapok.txt"), "");
    EXPECT_EQ(registry->read(RegistryRoot::LocalMachine, BrowserButtonKey, "Exec").text,
              "/opt/vonalor/Vonalor.exe");
    EXPECT_EQ(core->state().phonebook.entries, (std::vector<std::string>{"Otthon", "Munka hely", "Mobil"}));
    EXPECT_EQ(core->state().phonebook.devices, (std::vector<RasDevice>{{"Belső modem", "modem"}}));
    EXPECT_EQ(core->state().totals.lbKezdDat, "2004.10.25.");
}

TEST_F(ProgramCoreTest, FirstStartWithoutEntriesSkipsRecordsAutostartAndArchiveFolder) {
    phonebook("# üres\n");
    start();
    EXPECT_EQ(setting("KapcsolatokSzama"), "0");
    EXPECT_FALSE(std::filesystem::exists(home / "Naplo"));
    EXPECT_EQ(autostart.entry(), std::nullopt);
    EXPECT_EQ(setting("ElsoInditas"), "0");
    EXPECT_TRUE(std::filesystem::exists(home / "Weblapok.txt"));
    EXPECT_FALSE(setting("KezdoDatum").empty());
}

TEST_F(ProgramCoreTest, ALaterStartDoesNoneOfTheFirstStart) {
    start();
    store.WriteSetting("OtthonOsszKoltseg", "12,5");
    std::filesystem::remove(home / "OtthonDiagram.ini");
    time.setNow(DateTime{Date{2004, 10, 21}, TimeOfDay{9, 0, 0}});
    start();
    EXPECT_EQ(setting("OtthonOsszKoltseg"), "12,5");
    EXPECT_FALSE(std::filesystem::exists(home / "OtthonDiagram.ini"));
    EXPECT_EQ(setting("DiaKezdoDatum"), "2004.10.20.");
}

TEST_F(ProgramCoreTest, CreationLogsTheStartAndAMissingBlockedListAndResetsTheRestartMark) {
    store.WriteSetting("ElsoInditas", "0");
    store.WriteSetting("KezdoDatum", "2004.10.01.");
    store.WriteSetting("VegDatum", "2004.11.01.");
    store.WriteSetting("Ujraindit", "1");
    start();
    EXPECT_EQ(logTexts(), (std::vector<std::string>{"Vonalor 1.3 elindítva!",
                                                    "A tiltott weblapokat tartalmazó fájl hiányzik!"}));
    EXPECT_EQ(setting("Ujraindit"), "0");
    EXPECT_TRUE(core->state().window.firstShowMark);
    EXPECT_EQ(core->state().window.tariffGroupCaption, "Nincs kapcsolat kiválasztva");
    EXPECT_EQ(core->state().totals.costGroupCaption, "Nincs kapcsolat kiválasztva ");
    EXPECT_EQ(core->state().tray.hint, "Nincs aktív kapcsolat");
    EXPECT_FALSE(core->state().tray.visible);
    EXPECT_FALSE(core->state().window.diagramButtonEnabled);
    EXPECT_EQ(core->state().hotkeys.webAddresses, std::vector<std::string>{"about:blank"});
}

TEST_F(ProgramCoreTest, AMissingHotkeyLetterEndsCreationWithTheConversionFailure) {
    registry->remove(RegistryRoot::LocalMachine, ProgramKey, "GyorsBillBiz");
    core = std::make_unique<ProgramCore>(platform.ports(store, log));
    EXPECT_THROW(core->FormCreate(), ConversionError);
    EXPECT_EQ(setting("Ujraindit"), "0"); // written before the failing step
    EXPECT_EQ(setting("ElsoInditas"), "1");
}

TEST_F(ProgramCoreTest, TheThirteenTimersWithTheirIntervalsAndStates) {
    start();
    const struct {
        const char* name;
        int interval;
        bool enabled;
    } expected[] = {
        {"TimerStatus", 10, true},
        {"TimerIdotartam", 1000, false},
        {"TimerKoltsegek", 1000, false},
        {"TimerKapcsFrissit", 2000, true},
        {"TimerUjHonap", 2500, true},
        {"TimerFeladatok", 1, true},
        {"TimerIkon", 1000, true},
        {"TimerKisero", 500, false},
        {"TimerElsoInditas", 200, false},
        {"TimerNincsKapModTul", 1000, false},
        {"TimerHibernalas", 1000, false},
        {"TimerLetoltIdo", 1000, true},
        {"TimerLetoltKesleltet", 1000, false},
    };
    ASSERT_EQ(core->timers().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(core->timers()[i]->name(), expected[i].name);
        EXPECT_EQ(core->timers()[i]->interval(), expected[i].interval) << expected[i].name;
        EXPECT_EQ(core->timers()[i]->enabled(), expected[i].enabled) << expected[i].name;
    }
}

TEST_F(ProgramCoreTest, CompanionTimerStartsOnlyWhenAlwaysShown) {
    store.WriteSetting("KiseroAblak", "0");
    start();
    EXPECT_TRUE(core->timer(TimerId::Kisero).enabled());
}

// Tab indexes as stored: the starting-tab list skips "Speciális 3"; a bad index shows the first tab.
TEST_F(ProgramCoreTest, ShowingPicksTheStoredTabs) {
    start();
    const struct {
        const char* main;
        const char* settings;
        MainTab mainTab;
        SettingsTab settingsTab;
    } cases[] = {
        {"6", "6", MainTab::Log, SettingsTab::Maintenance},
        {"2", "7", MainTab::Costs, SettingsTab::Security},
        {"0", "5", MainTab::General, SettingsTab::Special2},
        {"", "x", MainTab::General, SettingsTab::Tasks},
        {"9", "-1", MainTab::General, SettingsTab::Tasks},
        {"7", "0", MainTab::About, SettingsTab::Tasks},
    };
    for (const auto& c : cases) {
        store.WriteSetting("FoablaknalAktFul", c.main);
        store.WriteSetting("BeallitasnalAktFul", c.settings);
        core->FormShow();
        EXPECT_EQ(core->state().window.mainTab, c.mainTab) << c.main;
        EXPECT_EQ(core->state().window.settingsTab, c.settingsTab) << c.settings;
    }
    core->state().download.lbEltelIdo = "00:00:05";
    store.WriteSetting("FoablaknalAktFul", "6");
    core->FormShow();
    EXPECT_EQ(core->state().window.mainTab, MainTab::Download);
}

TEST_F(ProgramCoreTest, FirstShowGoesToTheTray200MillisecondsLaterAfterASystemStart) {
    system.setUptimeSeconds(120);
    start();
    core->FormShow();
    EXPECT_FALSE(core->state().window.taskbarButtonVisible);
    EXPECT_FALSE(core->state().window.firstShowMark);
    time.advance(199);
    EXPECT_TRUE(view.calls.empty());
    time.advance(1);
    EXPECT_EQ(view.calls, std::vector<std::string>{"hide"});
    EXPECT_TRUE(core->state().tray.visible);
    EXPECT_FALSE(core->timer(TimerId::ElsoInditas).enabled());
    time.advance(1000);
    EXPECT_EQ(view.calls.size(), 1u);
}

TEST_F(ProgramCoreTest, FirstShowRuleWaitsForIndulMinOnALongRunningSystem) {
    start();
    core->FormShow();
    EXPECT_TRUE(core->state().window.firstShowMark);
    time.advance(1000);
    EXPECT_TRUE(view.calls.empty());
    store.WriteSetting("IndulMin", "1");
    core->FormShow();
    time.advance(200);
    EXPECT_EQ(view.calls, std::vector<std::string>{"hide"});
    core->FormShow();
    time.advance(1000);
    EXPECT_EQ(view.calls.size(), 1u); // the mark is gone: it fires once
}

TEST_F(ProgramCoreTest, HideToTrayShowsTheIconUnlessHiddenModeAndMarksForThePassword) {
    start();
    core->HideToTray();
    EXPECT_TRUE(core->state().tray.visible);
    EXPECT_FALSE(core->state().window.mainWindowVisible);
    EXPECT_FALSE(core->state().window.restorePasswordMark);

    store.WriteSetting("Elrejtes", "1");
    store.WriteSetting("JelszoMinim", "1");
    view.calls.clear();
    core->HideToTray();
    EXPECT_FALSE(core->state().tray.visible);
    EXPECT_TRUE(core->state().window.restorePasswordMark);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"closeCompanion", "hide"}));

    core->state().window.helpMode = true;
    view.calls.clear();
    core->HideToTray();
    EXPECT_EQ(view.calls, std::vector<std::string>{"bubble:A programot a rendszertálcára minimalizálja!"});
}

TEST_F(ProgramCoreTest, TrayClickBringsTheWindowBackBehindThePasswordWhenAsked) {
    start();
    core->HideToTray();
    core->trayLeftClick();
    EXPECT_TRUE(core->state().window.mainWindowVisible);
    EXPECT_FALSE(core->state().tray.visible);
    EXPECT_EQ(view.calls.back(), "show");

    store.WriteSetting("JelszoMinim", "1");
    core->HideToTray();
    view.passwordAnswer = false;
    view.calls.clear();
    core->trayLeftClick();
    EXPECT_EQ(view.calls, std::vector<std::string>{"password"});
    EXPECT_TRUE(core->state().tray.visible);
    EXPECT_TRUE(core->state().window.restorePasswordMark);

    view.passwordAnswer = true;
    core->trayLeftClick();
    EXPECT_TRUE(core->state().window.mainWindowVisible);
    EXPECT_FALSE(core->state().window.restorePasswordMark);
}

TEST_F(ProgramCoreTest, SystemCommandsSetAndClearTheRestorePasswordMark) {
    start();
    core->onSystemCommand(true);
    EXPECT_TRUE(core->state().window.restorePasswordMark);
    core->onSystemCommand(false);
    EXPECT_FALSE(core->state().window.restorePasswordMark);
}

TEST_F(ProgramCoreTest, ClosingAsksOnlyWhileAConnectionIsActive) {
    start();
    EXPECT_TRUE(core->FormCloseQuery());
    EXPECT_TRUE(dialogs.shown().empty());

    core->state().session.lbKapcsAllap = "Csatlakoztatva";
    core->state().session.lbKapcsNeve = "Otthon";
    dialogs.queueAnswer(results::No);
    EXPECT_FALSE(core->FormCloseQuery());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const MessageDialog& asked = dialogs.shown()[0].dialog;
    EXPECT_EQ(asked.caption, "Kérdés...");
    EXPECT_EQ(asked.text, "Otthon kapcsolat aktív!\r\nHa most kilép az adatok nem lesznek pontosak!\r\n"
                          "Biztos kilép és menti az aktuális adatokat? ");
    EXPECT_EQ(asked.buttons.size(), 2u);
    EXPECT_EQ(sound.played(), std::vector<std::string>{"beep:32"});
    EXPECT_TRUE(core->FormCloseQuery()); // the default answer is Yes
    EXPECT_TRUE(core->FormCloseQuery(true));
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

TEST_F(ProgramCoreTest, ClosingSavesTheTaskListAndTheProgramLogOnce) {
    start();
    core->state().tasks.list.push_back({"Bontás", {"12:00:00", "", "", "", "", ""}, 1});
    core->state().tray.visible = true;
    core->FormClose();
    core->FormClose();
    EXPECT_FALSE(core->state().tray.visible);
    ListRows tasks;
    ASSERT_TRUE(LoadListViewFile(tasks, home / "Feladatok.sav", dialogs, log));
    EXPECT_EQ(tasks, core->state().tasks.list);
    ListRows saved;
    ProgramLog scratch(time);
    LoadListViewFile(saved, home / "ProgramNaplo.sav", dialogs, scratch);
    EXPECT_EQ(saved.front().subItems.at(0), "Vonalor 1.3 elindítva!");
    const auto starts = std::count_if(saved.begin(), saved.end(), [](const ListRow& r) {
        return r.subItems.at(0) == "Vonalor 1.3 elindítva!";
    });
    EXPECT_EQ(starts, 1);
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

TEST_F(ProgramCoreTest, TheRolloverTimerClosesAnOverduePeriodAndTheCostPageFollows) {
    struct PeriodView final : CoreView {
        int closed = 0;
        void changed(Aspects aspects) override {
            closed += has(aspects, Aspect::Totals) && has(aspects, Aspect::Books);
        }
    } periodView;
    store.WriteSetting("ElsoInditas", "0");
    store.WriteSetting("KezdoDatum", "2004.10.25.");
    store.WriteSetting("VegDatum", "2004.11.25.");
    CreateConnectionRecord(store, "Otthon");
    CreateConnectionRecord(store, "Munkahely");
    store.WriteSetting("OtthonOsszKoltseg", "12,5");
    time.setNow(DateTime{Date{2004, 11, 25}, TimeOfDay{8, 0, 0}});
    start();
    core->setView(&periodView);
    time.advance(2500);
    EXPECT_EQ(periodView.closed, 1);
    EXPECT_TRUE(std::filesystem::exists(home / "Naplo" / "2004.10.25. - 2004.11.25..txt"));
    EXPECT_EQ(core->state().totals.lbKezdDat, "2004.11.25.");
    EXPECT_EQ(core->state().totals.lbVegDat, "2004.12.25");
    EXPECT_EQ(setting("OtthonOsszKoltseg"), "0");
    time.advance(2500);
    EXPECT_EQ(periodView.closed, 1);
}

TEST_F(ProgramCoreTest, ChoosingTheBillingDayMovesThePeriodAndLogsIt) {
    store.WriteSetting("ElsoInditas", "0");
    store.WriteSetting("KezdoDatum", "2004.10.25.");
    store.WriteSetting("VegDatum", "2004.11.25.");
    start();
    core->comboTolChange(4);
    EXPECT_EQ(setting("DatumTolIg"), "5");
    EXPECT_EQ(core->state().totals.lbKezdDat, "2004.10.05");
    EXPECT_EQ(core->state().totals.lbVegDat, "2004.11.05");
    EXPECT_EQ(logTexts().back(), "Kezdő és befejező dátum módosítva");
    core->loadDiscountGroup();
    EXPECT_EQ(core->state().discount.billingDayIndex, 4);
}

} // namespace
} // namespace vonalor::test

namespace vonalor::test {
namespace {

TEST_F(ProgramCoreTest, TheConnectionListFollowsThePhonebookOneChangeAtATime) {
    start(); // the first start: Otthon and Munkahely
    phonebook("entry Otthon\nentry Új 1\nentry Új 2\nentry Munkahely\n");
    time.advance(2000);
    // Two new entries between two ticks: both are found by name and taken up, each with its message.
    EXPECT_EQ(setting("KapcsolatokSzama"), "4");
    EXPECT_EQ(setting("Új 1HetKozEjjel"), "1");
    EXPECT_EQ(setting("Új 2HetKozEjjel"), "1");
    EXPECT_TRUE(std::filesystem::exists(home / "Új 2Diagram.ini"));
    EXPECT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(core->state().phonebook.entries.size(), 4u);
    EXPECT_EQ(core->state().window.mainTab, MainTab::Tariffs);
    EXPECT_EQ(core->state().window.tariffChooserText, "Új 2");

    phonebook("entry Otthon\n");
    time.advance(2000);
    EXPECT_EQ(setting("KapcsolatokSzama"), "3");
    time.advance(4000);
    EXPECT_EQ(setting("KapcsolatokSzama"), "1");
    EXPECT_EQ(core->state().phonebook.entries, std::vector<std::string>{"Otthon"});

    core->stopConnectionListTimer();
    phonebook("entry Otthon\nentry Később\n");
    time.advance(4000);
    EXPECT_EQ(setting("KapcsolatokSzama"), "1");
}

} // namespace
} // namespace vonalor::test
