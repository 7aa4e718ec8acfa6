// The command line's numbers are checked against their ranges, and a simulation ended by a
// signal leaves nothing behind.

#include "child_process.h"
#include "test_support.h"

namespace vonalor::test {
namespace {

struct CtlRangesTest : ::testing::Test {
    TempHome home;
    CommandResult ctl(const std::string& arguments) {
        return runCtl(home.path(), arguments, CtlStreams::OutAndErrors);
    }
};

struct BadOption {
    const char* arguments;
    const char* message;
};

TEST_F(CtlRangesTest, NumbersOutOfRangeAreUsageErrorsNamingTheOption) {
    const std::string session = "simulate Otthon --at '2004.10.20. 9:00:00' ";
    const std::vector<BadOption> cases{
        {"monitor --stop-after 0", "--stop-after takes a number of seconds from 1 to 315360000, not '0'"},
        {"monitor --stop-after 315360001",
         "--stop-after takes a number of seconds from 1 to 315360000, not '315360001'"},
        {"monitor --stop-after 9223372036854775807",
         "--stop-after takes a number of seconds from 1 to 315360000, not '9223372036854775807'"},
        {"monitor --stop-after 99999999999999999999",
         "--stop-after takes a number of seconds from 1 to 315360000, not '99999999999999999999'"},
        {"--seconds 9223372036854775807",
         "--seconds takes a whole number from 1 to 31622400, not '9223372036854775807'"},
        {"--seconds 3 --setup 3000000000", "--setup takes a whole number from 0 to 86400, not '3000000000'"},
        {"--seconds 3 --setup -1", "--setup takes a whole number from 0 to 86400, not '-1'"},
        {"--seconds 3 --every 9223372036854775807",
         "--every takes a whole number from 1 to 31622400, not '9223372036854775807'"},
        {"--seconds 3 --fee -5",
         "--fee takes an amount from 0 to 1000000 with a decimal comma (\"20\", \"12,5\"), "
         "not '-5'"},
        {"--seconds 3 --fee 1000000,01",
         "--fee takes an amount from 0 to 1000000 with a decimal comma (\"20\", "
         "\"12,5\"), not '1000000,01'"},
    };
    for (const BadOption& bad : cases) {
        const std::string arguments = bad.arguments;
        const CommandResult run = ctl(arguments.rfind("--", 0) == 0 ? session + arguments : arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments << "\n" << run.out;
        EXPECT_EQ(run.out.rfind("vonalorctl: " + std::string(bad.message) + "\n", 0), 0u) << run.out;
    }
}

// Beyond what a timer's interval holds (24.8 and 49.7 days), the monitor still runs until then.
TEST_F(CtlRangesTest, AFarOffStopLetsTheMonitorRun) {
    for (const char* seconds : {"2147484", "4294968", "315360000"}) {
        CtlChild child({"--home", home.path().string(), "monitor", "--stop-after", seconds});
        EXPECT_EQ(child.readLine().rfind("Nincs Kapcsolat\t", 0), 0u) << seconds; // its first status line
        ::kill(child.pid, SIGTERM);
        EXPECT_EQ(child.finish(), 0) << seconds;
    }
}

class CtlSimulateSignalTest : public ::testing::TestWithParam<int> {};

TEST_P(CtlSimulateSignalTest, RemovesTheCopyOfTheDataHome) {
    TempHome home;
    TempHome temporary;
    CtlChild child({"--home", home.path().string(), "simulate", "Otthon", "--at", "2004.10.20. 9:00:00",
                    "--seconds", "31000000"},
                   {"TMPDIR=" + temporary.path().string()});
    ASSERT_FALSE(child.readLine().empty()); // it runs on its copy
    EXPECT_FALSE(std::filesystem::is_empty(temporary.path()));
    ::kill(child.pid, GetParam());
    EXPECT_EQ(child.finish(), 128 + GetParam());
    EXPECT_TRUE(std::filesystem::is_empty(temporary.path()));
}

INSTANTIATE_TEST_SUITE_P(Signals, CtlSimulateSignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

} // namespace
} // namespace vonalor::test
