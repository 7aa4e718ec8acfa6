#include "core_fixture.h"

#include "browser/browser_settings.h"
#include "platform/timer_service.h"

namespace vonalor::test {
namespace {

struct WatchTest : LaterStartTest {
    bool logged(const std::string& text) const {
        const auto texts = logTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

TEST_F(WatchTest, DiallingCountsAndTheConnectedEdgeSetsTheSecondsToSeven) {
    start();
    ras.connect("Otthon", 3);
    time.advance(10);
    EXPECT_EQ(state().session.lbKapcsAllap, "Ellenőrzés");
    EXPECT_EQ(state().session.lbKapcsNeve, "Otthon");
    EXPECT_TRUE(state().session.btnKapcsBontEnabled);
    EXPECT_TRUE(core->timer(TimerId::Idotartam).enabled());
    EXPECT_TRUE(core->timer(TimerId::Koltsegek).enabled());
    time.advance(2000);
    EXPECT_EQ(state().duration.lbMPerc, "02");
    time.advance(990); // 9:00:03.000, the connection is up
    EXPECT_EQ(state().session.lbKapcsAllap, "Csatlakoztatva");
    EXPECT_EQ(state().duration.lbMPerc, "07");
    EXPECT_EQ(state().session.startTime, "9:00:03");
    EXPECT_EQ(state().session.startDate, "2004.10.20.");
    EXPECT_TRUE(state().session.connectedFlag);
    EXPECT_FALSE(state().session.connectionSettingsEnabled);
    EXPECT_FALSE(state().companion.dialItemsEnabled);
    EXPECT_EQ(state().session.LabelIP, "192.168.1.10\n10.64.12.7");
    EXPECT_EQ(state().session.sessionDayPart, 0);
    EXPECT_TRUE(logged("\"Otthon\" csatlakoztatva!"));
    time.advance(1000);
    EXPECT_EQ(state().duration.lbMPerc, "08");
    EXPECT_EQ(state().window.windowTitle, "Csatlakoztatva : Otthon  -  Percdíj : 1");
}

TEST_F(WatchTest, AConnectionAlreadyUpAtStartTakesTheConnectedEdgeAtTheFirstTick) {
    ras.connect("Munkahely", 0);
    start();
    time.advance(10);
    EXPECT_EQ(state().session.lbKapcsAllap, "Csatlakoztatva");
    EXPECT_EQ(state().duration.lbMPerc, "07");
    EXPECT_EQ(state().session.lbKapcsNeve, "Munkahely");
}

TEST_F(WatchTest, TrafficIsShownWithThousandsSeparatorsEveryTick) {
    start();
    ras.connect("Otthon", 0, {56'000, 1'200, 9'600});
    time.advance(10);
    time.advance(1000);
    EXPECT_EQ(state().session.lbKapcsSebes, "56 000 bps");
    EXPECT_EQ(state().session.lbBajtKuld, "1 200");
    EXPECT_EQ(state().session.lbBajtFogad, "9 600");
    EXPECT_EQ(state().session.receivedActivity, "9600");
    EXPECT_EQ(state().tray.picture, TrayPicture::Both); // the tray's second took the marks
}

TEST_F(WatchTest, TheDisconnectEdgeResetsTheDisplaysAndBooksTheSession) {
    start();
    ras.connect("Otthon", 0);
    time.advance(10);
    time.advance(5000);
    ras.drop();
    time.advance(10);
    EXPECT_EQ(state().session.lbKapcsAllap, "Nincs Kapcsolat");
    EXPECT_EQ(state().session.lbKapcsNeve, "   -  ");
    EXPECT_EQ(state().session.lbKapcsSebes, "0 bps");
    EXPECT_EQ(state().session.lbBajtKuld, "0");
    EXPECT_EQ(state().session.LabelIP, "-");
    EXPECT_EQ(state().duration.lbOra + state().duration.lbPerc + state().duration.lbMPerc, "000000");
    EXPECT_EQ(state().cost.lbJelenKoltseg, "0");
    EXPECT_EQ(state().totals.lbOsszKoltseg, "0");
    EXPECT_EQ(state().totals.lbszamla, "0");
    EXPECT_EQ(state().cost.runningCost, "0");
    EXPECT_TRUE(state().cost.tariffName.empty());
    EXPECT_EQ(state().window.windowTitle, "Vonalor");
    EXPECT_FALSE(state().session.connectedFlag);
    EXPECT_TRUE(state().session.connectionSettingsEnabled);
    EXPECT_FALSE(core->timer(TimerId::Idotartam).enabled());
    EXPECT_FALSE(core->timer(TimerId::Koltsegek).enabled());
    EXPECT_TRUE(logged("\"Otthon\" szétkapcsolva!"));
    EXPECT_EQ(setting("OtthonKapcsSzama"), "1");
    EXPECT_NE(
        readFile(home / "naplo.txt").find("Kapcsolat neve......................................:  Otthon"),
        std::string::npos);
}

TEST_F(WatchTest, ASessionDroppedWhileDiallingLeavesNoBooksButLogsTheDisconnection) {
    start();
    ras.connect("Otthon", 30);
    time.advance(5000);
    ras.drop();
    time.advance(10);
    EXPECT_EQ(state().session.lbKapcsAllap, "Nincs Kapcsolat");
    EXPECT_TRUE(logged("\"Otthon\" szétkapcsolva!"));
    EXPECT_FALSE(logged("\"Otthon\" csatlakoztatva!"));
    EXPECT_EQ(setting("OtthonKapcsSzama"), "0");
    EXPECT_FALSE(std::filesystem::exists(home / "naplo.txt"));
}

TEST_F(WatchTest, ASecondConnectionTakesOverTheSessionWithoutAnEdge) {
    start();
    ras.connect("Otthon", 0);
    time.advance(10);
    time.advance(3000);
    ras.connect("Munkahely", 0);
    time.advance(1000);
    ras.drop("Otthon");
    time.advance(10);
    EXPECT_EQ(state().session.lbKapcsNeve, "Munkahely");
    EXPECT_EQ(state().session.lbKapcsAllap, "Csatlakoztatva");
    EXPECT_TRUE(state().session.connectedFlag);
    EXPECT_EQ(state().duration.lbMPerc, "11"); // "07" and four more seconds: the session goes on
    EXPECT_FALSE(logged("\"Otthon\" szétkapcsolva!"));
}

TEST_F(WatchTest, DisconnectedWhileListedShowsBontOnceAndAFailedStatusCountsAsDialling) {
    start();
    ras.connect("Otthon", 0);
    time.advance(10);
    ras.setDisconnecting();
    time.advance(100);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, "plainNotice");
    EXPECT_EQ(dialogs.shown()[0].text, "bont");
    ras.setStatusFails();
    time.advance(10);
    EXPECT_EQ(state().session.lbKapcsAllap, "Ellenőrzés");
    EXPECT_EQ(state().session.lastStateCode, 601);
}

// The last state code outlives the session: a connection seen directly in the connected
// state afterwards does not take the connected edge.
TEST_F(WatchTest, TheLastStateCodeIsNotResetBetweenSessions) {
    start();
    ras.connect("Otthon", 0);
    time.advance(1010);
    ras.drop();
    time.advance(10);
    ras.connect("Munkahely", 0);
    time.advance(1000);
    EXPECT_EQ(state().session.lbKapcsNeve, "Munkahely");
    EXPECT_EQ(state().session.lbKapcsAllap, "Nincs Kapcsolat");
    EXPECT_FALSE(state().session.connectedFlag);
}

TEST_F(WatchTest, StartPageOpensAndCacheEmptiesWhenAsked) {
    store.WriteSetting("AutBong", "1");
    store.WriteSetting("AutoCookie", "1");
    WriteStartPage(*registry, "http://www.example.hu/");
    browser.addCacheEntry("http://a/");
    browser.addCacheEntry("http://b/");
    start();
    ras.connect("Otthon", 0);
    time.advance(10);
    EXPECT_EQ(shell.opened(), std::vector<std::string>{"http://www.example.hu/"});
    ras.drop();
    time.advance(10);
    EXPECT_TRUE(browser.cacheEntries().empty());
    EXPECT_EQ(sound.played(), std::vector<std::string>{"beep:0"});
}

TEST_F(WatchTest, TheWatchSleepsWhileIdleAndWakesWhenAConnectionAppears) {
    start();
    Timer& watch = core->timer(TimerId::Status);
    EXPECT_FALSE(watch.dormant()); // the first look comes before any sleep
    time.advance(10);
    EXPECT_TRUE(watch.dormant());
    EXPECT_TRUE(core->timer(TimerId::Feladatok).coarse());
    ras.connect("Otthon", 0);
    EXPECT_FALSE(watch.dormant()); // woken by the service's report, before the next tick
    time.advance(10);
    EXPECT_FALSE(watch.dormant());
    ras.drop();
    time.advance(10);
    EXPECT_TRUE(watch.dormant());
}

TEST_F(WatchTest, TheHangUpButtonEndsTheConnectionAndTheWatchClosesTheSession) {
    start();
    ras.connect("Otthon", 0);
    time.advance(2010);
    core->btnKapcsBontClick();
    time.advance(10);
    EXPECT_TRUE(ras.activeConnections().empty());
    EXPECT_EQ(state().session.lbKapcsAllap, "Nincs Kapcsolat");
    EXPECT_EQ(setting("OtthonKapcsSzama"), "1");
}

TEST_F(WatchTest, TheTrayShowsTheLastSecondsTrafficAndTheSessionInItsHint) {
    start();
    time.advance(1000);
    EXPECT_EQ(state().tray.picture, TrayPicture::NoConnection);
    EXPECT_EQ(state().tray.hint, "Nincs aktív kapcsolat");
    const struct {
        std::uint64_t send, receive;
        TrayPicture picture;
    } cases[] = {
        {0, 4'800, TrayPicture::Receiving},
        {600, 0, TrayPicture::Sending},
        {600, 4'800, TrayPicture::Both},
        {0, 0, TrayPicture::Quiet},
    };
    for (const auto& c : cases) {
        // Each one dials first: a session seen only connected would not be taken up again.
        ras.connect("Otthon", 1, {53'333, c.send, c.receive});
        time.advance(4000);
        EXPECT_EQ(state().tray.picture, c.picture) << c.send << "/" << c.receive;
        EXPECT_EQ(showsTraffic(state().tray.picture), c.picture != TrayPicture::Quiet);
        ras.drop();
        time.advance(1000);
    }
    ras.connect("Otthon", 1, {53'333, 1'000, 2'000});
    time.advance(3000);
    // The hint is the displays as the icon's tick found them, a line each.
    EXPECT_EQ(state().tray.hint.rfind("Költség   : 0,0", 0), 0u) << state().tray.hint;
    EXPECT_NE(state().tray.hint.find(" Ft\rIdőtartam : "), std::string::npos);
    EXPECT_NE(state().tray.hint.find("\rIdőtartam : 00:00:0"), std::string::npos);
    EXPECT_NE(state().tray.hint.find("\rFogadott  : 4 000 byte\rKüldött   : 2 000 byte"), std::string::npos)
        << state().tray.hint;
    EXPECT_EQ(state().tray.hint.find('\n'), std::string::npos);
}

TEST_F(WatchTest, CompanionComesUpDuringAConnectionAndGoesOffScreenAfter) {
    store.WriteSetting("KiseroBal", "120");
    store.WriteSetting("KiseroTop", "30");
    start();
    ras.connect("Otthon", 0);
    time.advance(10);
    EXPECT_TRUE(state().companion.shown);
    EXPECT_EQ(state().companion.left, 120);
    EXPECT_EQ(state().companion.name, "Otthon");
    ras.drop();
    time.advance(10);
    EXPECT_EQ(state().companion.left, 2000);
    EXPECT_EQ(state().companion.name, "   ----   ");
}

} // namespace
} // namespace vonalor::test
