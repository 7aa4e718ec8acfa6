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
    EXPECT_EQ(state().lbKapcsAllap, "Ellenőrzés");
    EXPECT_EQ(state().lbKapcsNeve, "Otthon");
    EXPECT_TRUE(state().btnKapcsBontEnabled);
    EXPECT_TRUE(core->timer("TimerIdotartam").enabled());
    EXPECT_TRUE(core->timer("TimerKoltsegek").enabled());
    time.advance(2000);
    EXPECT_EQ(state().lbMPerc, "02");
    time.advance(990); // 9:00:03.000, the connection is up
    EXPECT_EQ(state().lbKapcsAllap, "Csatlakoztatva");
    EXPECT_EQ(state().lbMPerc, "07");
    EXPECT_EQ(state().startTime, "9:00:03");
    EXPECT_EQ(state().startDate, "2004.10.20.");
    EXPECT_TRUE(state().connectedFlag);
    EXPECT_FALSE(state().connectionSettingsEnabled);
    EXPECT_FALSE(state().companionDialItemsEnabled);
    EXPECT_EQ(state().LabelIP, "192.168.1.10\n10.64.12.7");
    EXPECT_EQ(state().sessionDayPart, 0);
    EXPECT_TRUE(logged("\"Otthon\" csatlakoztatva!"));
    time.advance(1000);
    EXPECT_EQ(state().lbMPerc, "08");
    EXPECT_EQ(state().windowTitle, "Csatlakoztatva : Otthon  -  Percdíj : 1");
}

TEST_F(WatchTest, AConnectionAlreadyUpAtStartTakesTheConnectedEdgeAtTheFirstTick) {
    ras.connect("Munkahely", 0);
    start();
    time.advance(10);
    EXPECT_EQ(state().lbKapcsAllap, "Csatlakoztatva");
    EXPECT_EQ(state().lbMPerc, "07");
    EXPECT_EQ(state().lbKapcsNeve, "Munkahely");
}

TEST_F(WatchTest, TrafficIsShownWithThousandsSeparatorsEveryTick) {
    start();
    ras.connect("Otthon", 0, {56'000, 1'200, 9'600});
    time.advance(10);
    time.advance(1000);
    EXPECT_EQ(state().lbKapcsSebes, "56 000 bps");
    EXPECT_EQ(state().lbBajtKuld, "1 200");
    EXPECT_EQ(state().lbBajtFogad, "9 600");
    EXPECT_EQ(state().receivedActivity, "9600");
    EXPECT_TRUE(state().receivedChanged);
}

TEST_F(WatchTest, TheDisconnectEdgeResetsTheDisplaysAndBooksTheSession) {
    start();
    ras.connect("Otthon", 0);
    time.advance(10);
    time.advance(5000);
    ras.drop();
    time.advance(10);
    EXPECT_EQ(state().lbKapcsAllap, "Nincs Kapcsolat");
    EXPECT_EQ(state().lbKapcsNeve, "   -  ");
    EXPECT_EQ(state().lbKapcsSebes, "0 bps");
    EXPECT_EQ(state().lbBajtKuld, "0");
    EXPECT_EQ(state().LabelIP, "-");
    EXPECT_EQ(state().lbOra + state().lbPerc + state().lbMPerc, "000000");
    EXPECT_EQ(state().lbJelenKoltseg, "0");
    EXPECT_EQ(state().lbOsszKoltseg, "0");
    EXPECT_EQ(state().lbszamla, "0");
    EXPECT_EQ(state().runningCost, "0");
    EXPECT_TRUE(state().tariffName.empty());
    EXPECT_EQ(state().windowTitle, "Vonalor");
    EXPECT_FALSE(state().connectedFlag);
    EXPECT_TRUE(state().connectionSettingsEnabled);
    EXPECT_FALSE(core->timer("TimerIdotartam").enabled());
    EXPECT_FALSE(core->timer("TimerKoltsegek").enabled());
    EXPECT_TRUE(logged("\"Otthon\" szétkapcsolva!"));
    EXPECT_EQ(setting("OtthonKapcsSzama"), "1");
    EXPECT_NE(readFile(home / "naplo.txt").find("Kapcsolat neve......................................:  Otthon"),
              std::string::npos);
}

TEST_F(WatchTest, ASessionDroppedWhileDiallingLeavesNoBooksButLogsTheDisconnection) {
    start();
    ras.connect("Otthon", 30);
    time.advance(5000);
    ras.drop();
    time.advance(10);
    EXPECT_EQ(state().lbKapcsAllap, "Nincs Kapcsolat");
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
    EXPECT_EQ(state().lbKapcsNeve, "Munkahely");
    EXPECT_EQ(state().lbKapcsAllap, "Csatlakoztatva");
    EXPECT_TRUE(state().connectedFlag);
    EXPECT_EQ(state().lbMPerc, "11"); // "07" and four more seconds: the session goes on
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
    EXPECT_EQ(state().lbKapcsAllap, "Ellenőrzés");
    EXPECT_EQ(state().lastStateCode, 601);
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
    EXPECT_EQ(state().lbKapcsNeve, "Munkahely");
    EXPECT_EQ(state().lbKapcsAllap, "Nincs Kapcsolat");
    EXPECT_FALSE(state().connectedFlag);
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
    Timer& watch = core->timer("TimerStatus");
    EXPECT_FALSE(watch.dormant()); // the first look comes before any sleep
    time.advance(10);
    EXPECT_TRUE(watch.dormant());
    EXPECT_TRUE(core->timer("TimerFeladatok").coarse());
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
    EXPECT_EQ(state().lbKapcsAllap, "Nincs Kapcsolat");
    EXPECT_EQ(setting("OtthonKapcsSzama"), "1");
}

TEST_F(WatchTest, TheTrayShowsTheLastSecondsTrafficAndTheSessionInItsHint) {
    start();
    time.advance(1000);
    EXPECT_EQ(state().trayPicture, 4);
    EXPECT_EQ(state().trayHint, "Nincs aktív kapcsolat");
    const struct {
        std::uint64_t send, receive;
        int picture;
        TrafficPicture traffic;
    } cases[] = {
        {0, 4'800, 2, TrafficPicture::Receiving},
        {600, 0, 1, TrafficPicture::Sending},
        {600, 4'800, 3, TrafficPicture::Both},
        {0, 0, 0, TrafficPicture::None},
    };
    for (const auto& c : cases) {
        // Each one dials first: a session seen only connected would not be taken up again.
        ras.connect("Otthon", 1, {53'333, c.send, c.receive});
        time.advance(4000);
        EXPECT_EQ(state().trayPicture, c.picture) << c.send << "/" << c.receive;
        EXPECT_EQ(state().trafficPicture, c.traffic);
        ras.drop();
        time.advance(1000);
    }
    ras.connect("Otthon", 1, {53'333, 1'000, 2'000});
    time.advance(3000);
    // The hint is the displays as the icon's tick found them, a line each.
    EXPECT_EQ(state().trayHint.rfind("Költség   : 0,0", 0), 0u) << state().trayHint;
    EXPECT_NE(state().trayHint.find(" Ft\rIdőtartam : "), std::string::npos);
    EXPECT_NE(state().trayHint.find("\rIdőtartam : 00:00:0"), std::string::npos);
    EXPECT_NE(state().trayHint.find("\rFogadott  : 4 000 byte\rKüldött   : 2 000 byte"), std::string::npos)
        << state().trayHint;
    EXPECT_EQ(state().trayHint.find('\n'), std::string::npos);
}

TEST_F(WatchTest, CompanionComesUpDuringAConnectionAndGoesOffScreenAfter) {
    store.WriteSetting("KiseroBal", "120");
    store.WriteSetting("KiseroTop", "30");
    start();
    ras.connect("Otthon", 0);
    time.advance(10);
    EXPECT_TRUE(state().companionShown);
    EXPECT_EQ(state().companionLeft, 120);
    EXPECT_EQ(state().kiseroName, "Otthon");
    ras.drop();
    time.advance(10);
    EXPECT_EQ(state().companionLeft, 2000);
    EXPECT_EQ(state().kiseroName, "   ----   ");
}

} // namespace
} // namespace vonalor::test
