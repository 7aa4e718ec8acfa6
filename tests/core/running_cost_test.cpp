#include "core_fixture.h"

#include "platform/timer_service.h"

namespace vonalor::test {
namespace {

struct CostTest : LaterStartTest {
    // Wednesday 20 October 2004, 9:00 in the morning band: HetKozDelelott is in force.
    CostTest() { store.WriteSetting("OtthonHetKozDelelott", "6"); }
    // Connected at 9:00:00.000 exactly; the seconds show "07" from then on.
    void connectNow() {
        start();
        ras.connect("Otthon", 0);
        time.advance(0);
        core->TimerStatusTimer();
    }
    void seconds(int n) { time.advance(1000LL * n); }
};

TEST_F(CostTest, SixForintsAMinuteForTenSecondsReadsOneByTheCut) {
    connectNow();
    seconds(10);
    EXPECT_EQ(state().cost.runningCost, "1,0000000001");
    EXPECT_EQ(state().cost.lbJelenKoltseg, "1,00");
    EXPECT_EQ(state().totals.lbOsszKoltseg, "1,00");
    EXPECT_EQ(state().totals.lbszamla, "1");
}

TEST_F(CostTest, TheFeeShowsAtTheEdgeAndAfterOneSecondReadsTwentyTen) {
    store.WriteSetting("OtthonVanKapcsDij", "1");
    store.WriteSetting("OtthonKapcsDijErteke", "20");
    connectNow();
    EXPECT_EQ(state().cost.lbJelenKoltseg, "20");
    seconds(1);
    EXPECT_EQ(state().cost.lbJelenKoltseg, "20,10");
}

TEST_F(CostTest, TheFirstMinuteCostsExactlyTheTariffInForce) {
    connectNow(); // the clock starts at 00:00:07
    seconds(53);  // the last step is taken while it reads 00:00:59
    EXPECT_EQ(state().duration.lbOra + ":" + state().duration.lbPerc + ":" + state().duration.lbMPerc,
              "00:01:00");
    EXPECT_EQ(state().cost.runningCost, "6");
    EXPECT_EQ(state().cost.lbJelenKoltseg, "6");
    seconds(1); // at 00:01:00 the display shows the tariff text, then the next step adds
    EXPECT_EQ(state().cost.runningCost, "6,10000000001");
    EXPECT_EQ(state().cost.lbJelenKoltseg, "6");
    seconds(1);
    EXPECT_EQ(state().cost.lbJelenKoltseg, "6,20");
}

TEST_F(CostTest, ThePeriodTotalAddsTheRecordAndTheBillAllConnections) {
    store.WriteSetting("OtthonOsszKoltseg", "100");
    store.WriteSetting("MunkahelyOsszKoltseg", "7,25");
    store.WriteSetting("OtthonOsszOra", "12");
    store.WriteSetting("OtthonOsszPerc", "05");
    store.WriteSetting("OtthonOsszMPerc", "17");
    store.WriteSetting("OtthonHetKozDelelott", "750"); // 12,5 a second
    connectNow();
    seconds(1);
    // 12,5 and a hundred-billionth, cut after two decimals.
    EXPECT_EQ(state().cost.lbJelenKoltseg, "12,50");
    EXPECT_EQ(state().totals.lbOsszKoltseg, "112,50");
    EXPECT_EQ(state().totals.lbszamla, "119,75");
    EXPECT_EQ(state().totals.lbOsszOra + ":" + state().totals.lbOsszPerc + ":" + state().totals.lbOsszMPerc,
              "12:05:18");
}

TEST_F(CostTest, ClocksCarryWithTheTwoDigitRuleAndUnboundedHours) {
    connectNow();
    const struct {
        const char* before[3];
        const char* after;
    } cases[] = {
        {{"00", "59", "59"}, "01:00:00"}, {{"09", "59", "59"}, "10:00:00"}, {{"99", "59", "59"}, "100:00:00"},
        {{"00", "00", "08"}, "00:00:09"}, {{"00", "09", "59"}, "00:10:00"},
    };
    for (const auto& c : cases) {
        core->state().duration.lbOra = c.before[0];
        core->state().duration.lbPerc = c.before[1];
        core->state().duration.lbMPerc = c.before[2];
        core->state().totals.lbOsszOra = c.before[0];
        core->state().totals.lbOsszPerc = c.before[1];
        core->state().totals.lbOsszMPerc = c.before[2];
        core->TimerIdotartamTimer();
        EXPECT_EQ(state().duration.lbOra + ":" + state().duration.lbPerc + ":" + state().duration.lbMPerc,
                  c.after);
        EXPECT_EQ(state().totals.lbOsszOra + ":" + state().totals.lbOsszPerc + ":" +
                      state().totals.lbOsszMPerc,
                  c.after);
    }
}

TEST_F(CostTest, TheCompanionShowsTheSessionOrThePeriodTotals) {
    store.WriteSetting("OtthonOsszKoltseg", "40");
    store.WriteSetting("KiseroJelOssz", "2");
    connectNow();
    seconds(1);
    EXPECT_EQ(state().companion.cost, state().totals.lbOsszKoltseg);
    EXPECT_EQ(state().companion.seconds, state().totals.lbOsszMPerc);
    store.WriteSetting("KiseroJelOssz", "1");
    seconds(1);
    EXPECT_EQ(state().companion.cost, state().cost.lbJelenKoltseg);
    EXPECT_EQ(state().companion.seconds, "09");
}

TEST_F(CostTest, TheOwnConnectedBalloonComesAtTenSecondsOnlyWhenAsked) {
    struct BalloonView final : CoreView {
        std::vector<std::string> balloons;
        void showBalloon(const std::string& title, const std::string& text, int seconds) override {
            balloons.push_back(title + "|" + text + "|" + std::to_string(seconds));
        }
    } balloonView;
    store.WriteSetting("Helyetesit", "1");
    start();
    core->setView(&balloonView);
    ras.connect("Otthon", 12);
    time.advance(10);
    seconds(12);
    ASSERT_EQ(balloonView.balloons.size(), 1u);
    EXPECT_EQ(balloonView.balloons[0], "\"Otthon\" csatlakoztatva|Sebesség: 0 bps|10");
}

TEST_F(CostTest, TheMoneyWarningComesOncePerRunAndNeverWithoutAnAllowance) {
    store.WriteSetting("MatavFele", "1");
    store.WriteSetting("Jelezzen", "1");
    store.WriteSetting("KedvHang", "1");
    store.WriteSetting("OtthonKedvErteke", "500");
    store.WriteSetting("OtthonOsszKoltseg", "499");
    connectNow();
    std::size_t soundsWhenShown = 0;
    dialogs.setWhileOpen([&](const ScriptedDialogs::Shown&) { soundsWhenShown = sound.played().size(); });
    seconds(12);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].caption, "Lejárt");
    EXPECT_EQ(dialogs.shown()[0].text, "Lejárt a \"Otthon\" által biztosított 500 Ft.");
    EXPECT_EQ(dialogs.shown()[0].style, mb::IconInformation | mb::Ok);
    EXPECT_EQ(soundsWhenShown, 1u); // the sound has played to its end before the box
    EXPECT_EQ(sound.played().at(0), "play-wait:" + (home / "Lejart.wav").string());

    ras.drop();
    time.advance(10);
    ras.connect("Otthon", 1);
    seconds(20);
    EXPECT_EQ(dialogs.shown().size(), 1u); // not again in this run

    store.WriteSetting("OtthonKedvErteke", "0");
    start();
    ras.connect("Otthon", 0);
    seconds(20);
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(CostTest, TheHoursWarningComesAtTheWholeHourOnly) {
    store.WriteSetting("Jelezzen", "1");
    store.WriteSetting("OtthonKedvOraErteke", "5");
    store.WriteSetting("OtthonOsszOra", "04");
    store.WriteSetting("OtthonOsszPerc", "59");
    store.WriteSetting("OtthonOsszMPerc", "50");
    connectNow();
    seconds(1); // the tariff timer loads 04:59:50, then the counter adds a second
    EXPECT_TRUE(dialogs.shown().empty());
    seconds(9); // the total reads 05:00:00 at the next tariff tick
    seconds(1);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, "Lejárt a 5 óra.");
    seconds(5);
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(CostTest, ABrokenTariffStopsTheClockWithTheLogEntryAndTheDialog) {
    connectNow();
    seconds(2);
    registry->remove(RegistryRoot::LocalMachine, ProgramKey, "OtthonHetKozDelelott");
    seconds(1);
    EXPECT_FALSE(core->timer(TimerId::Idotartam).enabled());
    const auto texts = logTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Hiba a költség számítás közben!"), texts.end());
    ASSERT_FALSE(dialogs.shown().empty());
    EXPECT_EQ(dialogs.shown().back().kind, "plainError");
    EXPECT_EQ(dialogs.shown().back().text.rfind(
                  "A költség/idő számításában hiba történt, ezért a számítás leállt!", 0),
              0u);
    EXPECT_NE(dialogs.shown().back().text.find(SupportAddress), std::string::npos);
    const std::string stopped = state().duration.lbMPerc;
    EXPECT_EQ(stopped, "10"); // the failed tick still advanced the clock
    seconds(5);
    EXPECT_EQ(state().duration.lbMPerc, stopped);
}

TEST_F(CostTest, TheTariffTimerRunsFirstSoThePeriodClockIsLoaded) {
    store.WriteSetting("OtthonOsszOra", "03");
    store.WriteSetting("OtthonOsszPerc", "20");
    store.WriteSetting("OtthonOsszMPerc", "00");
    connectNow();
    seconds(1);
    EXPECT_EQ(state().totals.lbOsszOra + ":" + state().totals.lbOsszPerc + ":" + state().totals.lbOsszMPerc,
              "03:20:01");
}

} // namespace
} // namespace vonalor::test
