// The simulator's scenario files: numbers in range, and far-off events reached by sleeping.

#include "test_support.h"

#include "platform/linux/event_loop.h"
#include "platform/linux/system_clock.h"
#include "platform/sim/sim_ras.h"

namespace vonalor::test {
namespace {

struct BadScenario {
    const char* text;
    const char* error;
    friend void PrintTo(const BadScenario& scenario, std::ostream* out) { *out << scenario.text; }
};

class SimRasBadScenarioTest : public ::testing::TestWithParam<BadScenario> {};

TEST_P(SimRasBadScenarioTest, IsRefusedNamingTheLineAndItsText) {
    TempHome home;
    VirtualTime time(DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}});
    SimRas ras(home / SimRas::FileName, time);
    std::string error;
    EXPECT_FALSE(ras.loadScenario(GetParam().text, &error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SimRasBadScenarioTest,
    ::testing::Values(
        BadScenario{"at 999999999999999 connect Otthon\n",
                    "line 1 (\"at 999999999999999 connect Otthon\"): at takes seconds from 0 to 315360000"},
        BadScenario{"at 99999999999999999999999 drop\n",
                    "line 1 (\"at 99999999999999999999999 drop\"): at takes seconds from 0 to 315360000"},
        BadScenario{"at 315360001 drop\n",
                    "line 1 (\"at 315360001 drop\"): at takes seconds from 0 to 315360000"},
        BadScenario{
            "# a comment\n\nat 1 connect Otthon setup 3000000  # a month\n",
            "line 3 (\"at 1 connect Otthon setup 3000000\"): setup takes a whole number from 0 to 86400"},
        BadScenario{
            "at 1 connect Otthon speed 18446744073709551616\n",
            "line 1 (\"at 1 connect Otthon speed 18446744073709551616\"): speed takes a whole number from 0 "
            "to 10000000000"},
        BadScenario{"at 1 connect Otthon send 1250000001\n",
                    "line 1 (\"at 1 connect Otthon send 1250000001\"): send takes a whole number from 0 to "
                    "1250000000"},
        BadScenario{"at 1 connect Otthon receive -5\n",
                    "line 1 (\"at 1 connect Otthon receive -5\"): receive takes a whole number from 0 to "
                    "1250000000"},
        BadScenario{"at 1 connect Otthon setup\n",
                    "line 1 (\"at 1 connect Otthon setup\"): setup takes a whole number from 0 to 86400"},
        BadScenario{"at 1 drop\nat -1 drop\n", "line 2 (\"at -1 drop\"): expected \"at SECONDS ...\""},
        BadScenario{"at 1 connect setup 3\n",
                    "line 1 (\"at 1 connect setup 3\"): connect needs a connection name"},
        BadScenario{"at 1 connect Otthon setup 3 colour 4\n",
                    "line 1 (\"at 1 connect Otthon setup 3 colour 4\"): unknown option colour"},
        BadScenario{"at 1 explode\n",
                    "line 1 (\"at 1 explode\"): unknown action \"explode\" (connect, drop, disconnecting, "
                    "status-fails)"}));

struct FarOff {
    const char* scenario;
    std::int64_t seconds;
    friend void PrintTo(const FarOff& farOff, std::ostream* out) { *out << farOff.scenario; }
};

class SimRasFarOffEventTest : public ::testing::TestWithParam<FarOff> {};

// A moment beyond what a timer's interval holds is neither run early nor waited for by spinning.
TEST_P(SimRasFarOffEventTest, ComesOnTimeWakingAtMostOnceADay) {
    TempHome home;
    VirtualTime time(DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}});
    SimRas ras(home / SimRas::FileName, time);
    std::string error;
    ASSERT_TRUE(ras.loadScenario(GetParam().scenario, &error)) << error;
    ras.attach(time);
    time.advance(3'600'000);
    ASSERT_LE(time.ticksFired(), 2u); // the rest would take a tick a millisecond
    time.advance(GetParam().seconds * 1000 - 3'600'000 - 1);
    EXPECT_TRUE(ras.activeConnections().empty());
    EXPECT_LE(time.ticksFired(), static_cast<std::uint64_t>(GetParam().seconds / 86'400 + 3));
    time.advance(1);
    ASSERT_EQ(ras.activeConnections().size(), 1u);
    EXPECT_EQ(ras.activeConnections()[0].entryName, "Otthon");
}

INSTANTIATE_TEST_SUITE_P(Moments, SimRasFarOffEventTest,
                         ::testing::Values(FarOff{"at 2147484 connect Otthon\n", 2'147'484},
                                           FarOff{"at 4294968 connect Otthon\n", 4'294'968},
                                           FarOff{"at 315360000 connect Otthon\n", 315'360'000}));

TEST(SimRasEventLoopTest, AFarOffEventLetsTheLoopSleep) {
    TempHome home;
    SystemClock clock;
    SimRas ras(home / SimRas::FileName, clock);
    std::string error;
    ASSERT_TRUE(ras.loadScenario("at 4294968 connect Otthon\n", &error)) << error;
    EventLoop loop;
    ras.attach(loop);
    loop.createTimer("Quit", 50, true, [&] { loop.quit(0); });
    loop.run();
    EXPECT_TRUE(ras.activeConnections().empty());
    EXPECT_LE(loop.wakeUps(), 3u);
}

TEST(EventLoopTest, EachTickCostsOneWakeUp) {
    EventLoop loop;
    int ticks = 0;
    loop.createTimer("Steady", 7, true, [&] {
        if (++ticks == 10)
            loop.quit(0);
    });
    loop.run();
    EXPECT_EQ(ticks, 10);
    EXPECT_LE(loop.wakeUps(), 12u);
}

} // namespace
} // namespace vonalor::test
