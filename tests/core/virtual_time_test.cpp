#include "platform/sim/virtual_time.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vonalor {
namespace {

const DateTime start{Date{2004, 10, 20}, TimeOfDay{23, 59, 58}};

TEST(VirtualTimeTest, TimersFireInTimeOrderWithTiesInCreationOrder) {
    VirtualTime time(start);
    std::vector<std::string> fired;
    time.createTimer("b", 1000, true, [&] { fired.push_back("b"); });
    time.createTimer("a", 500, true, [&] { fired.push_back("a"); });
    time.createTimer("off", 100, false, [&] { fired.push_back("off"); });
    time.advance(2000);
    EXPECT_EQ(fired, (std::vector<std::string>{"a", "b", "a", "a", "b", "a"}));
    EXPECT_EQ(time.now(), (DateTime{Date{2004, 10, 21}, TimeOfDay{0, 0, 0}}));
}

TEST(VirtualTimeTest, EnablingRestartsThePeriodAndDisablingStopsIt) {
    VirtualTime time(start);
    int ticks = 0;
    Timer& timer = time.createTimer("t", 1000, true, [&] { ++ticks; });
    time.advance(900);
    timer.setEnabled(true); // restarts: next tick at 1900
    time.advance(900);
    EXPECT_EQ(ticks, 0);
    time.advance(100);
    EXPECT_EQ(ticks, 1);
    timer.setEnabled(false);
    time.advance(10'000);
    EXPECT_EQ(ticks, 1);
}

TEST(VirtualTimeTest, AHandlerThatWaitsLetsOtherTicksRunNestedInsideIt) {
    VirtualTime time(start);
    std::vector<std::string> fired;
    time.createTimer("slow", 1000, true, [&] {
        fired.push_back("slow@" + std::to_string(time.now().time.second));
        if (fired.size() == 1)
            time.advance(2500); // a modal dialog open for two and a half seconds
    });
    time.createTimer("fast", 1000, true,
                     [&] { fired.push_back("fast@" + std::to_string(time.now().time.second)); });
    time.advance(1000);
    EXPECT_EQ(fired,
              (std::vector<std::string>{"slow@59", "fast@59", "slow@0", "fast@0", "slow@1", "fast@1"}));
    EXPECT_EQ(time.now().time.msec, 500);
}

TEST(VirtualTimeTest, OneMillisecondTimerTicksAThousandTimesASecond) {
    VirtualTime time(start);
    int ticks = 0;
    time.createTimer("fast", 1, true, [&] { ++ticks; });
    time.advance(1000);
    EXPECT_EQ(ticks, 1000);
    EXPECT_EQ(time.ticksFired(), 1000u);
}

} // namespace
} // namespace vonalor
