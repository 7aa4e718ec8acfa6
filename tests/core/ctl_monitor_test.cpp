// vonalorctl monitor runs on the real clock: these tests are short and wait on its output.

#include "child_process.h"
#include "test_support.h"

#include <csignal>

namespace vonalor::test {
namespace {

TEST(CtlMonitorTest, InterruptingAConnectedSessionBooksItAsClosingTheWindowDoes) {
    TempHome home;
    writeFile(home / "scenario.txt", "at 0 connect Otthon setup 0\n");
    CtlChild child({"--home", home.path().string(), "monitor", "--sim-script",
                    (home / "scenario.txt").string(), "--stop-after", "60"});
    // Wait (on its own output, not the clock) until the session has run for a second.
    std::string line;
    do
        line = child.readLine();
    while (!line.empty() && line.rfind("Csatlakoztatva\tOtthon\t00:00:08", 0) != 0);
    ASSERT_FALSE(line.empty());
    ::kill(child.pid, SIGINT);
    EXPECT_EQ(child.finish(), 0);
    EXPECT_NE(
        readFile(home / "naplo.txt").find("Kapcsolat neve......................................:  Otthon"),
        std::string::npos);
    const CommandResult totals = runCtl(home.path(), "totals Otthon");
    EXPECT_EQ(totals.out.substr(0, 9), "Otthon\t1\t");
}

TEST(CtlMonitorTest, ASecondMonitorOnTheSameHomeIsRefused) {
    TempHome home;
    runCtl(home.path(), "set Ujraindit 0");
    CtlChild first({"--home", home.path().string(), "monitor", "--stop-after", "60"});
    ASSERT_FALSE(first.readLine().empty()); // it runs and holds the lock
    const CommandResult second = runCtl(home.path(), "monitor --stop-after 1", CtlStreams::OutAndErrors);
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.out.find("Az alkalmazás már fut egy példányban!"), std::string::npos);
    ::kill(first.pid, SIGTERM);
    EXPECT_EQ(first.finish(), 0);
}

} // namespace
} // namespace vonalor::test
