// vonalorctl monitor runs on the real clock: these tests are short and wait on its output.

#include "test_support.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vonalor::test {
namespace {

struct Child {
    pid_t pid = 0;
    FILE* out = nullptr;
};

Child spawnCtl(const std::vector<std::string>& arguments) {
    int pipeFds[2];
    EXPECT_EQ(::pipe(pipeFds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<std::string> words{VONALOR_CTL_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    Child child;
    EXPECT_EQ(::posix_spawn(&child.pid, VONALOR_CTL_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    child.out = ::fdopen(pipeFds[0], "r");
    return child;
}

std::string readLine(FILE* in) {
    char buffer[512];
    return std::fgets(buffer, sizeof buffer, in) ? std::string(buffer) : std::string();
}

int waitFor(Child& child) {
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    std::fclose(child.out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CtlMonitorTest, InterruptingAConnectedSessionBooksItAsClosingTheWindowDoes) {
    TempHome home;
    writeFile(home / "scenario.txt", "at 0 connect Otthon setup 0\n");
    Child child = spawnCtl({"--home", home.path().string(), "monitor", "--sim-script",
                            (home / "scenario.txt").string(), "--stop-after", "60"});
    // Wait (on its own output, not the clock) until the session has run for a second.
    std::string line;
    do
        line = readLine(child.out);
    while (!line.empty() && line.rfind("Csatlakoztatva\tOtthon\t00:00:08", 0) != 0);
    ASSERT_FALSE(line.empty());
    ::kill(child.pid, SIGINT);
    EXPECT_EQ(waitFor(child), 0);
    EXPECT_NE(
        readFile(home / "naplo.txt").find("Kapcsolat neve......................................:  Otthon"),
        std::string::npos);
    const CommandResult totals = runCtl(home.path(), "totals Otthon");
    EXPECT_EQ(totals.out.substr(0, 9), "Otthon\t1\t");
}

TEST(CtlMonitorTest, ASecondMonitorOnTheSameHomeIsRefused) {
    TempHome home;
    runCtl(home.path(), "set Ujraindit 0");
    Child first = spawnCtl({"--home", home.path().string(), "monitor", "--stop-after", "60"});
    ASSERT_FALSE(readLine(first.out).empty()); // it runs and holds the lock
    const CommandResult second = runCtl(home.path(), "monitor --stop-after 1", CtlStreams::OutAndErrors);
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.out.find("Az alkalmazás már fut egy példányban!"), std::string::npos);
    ::kill(first.pid, SIGTERM);
    EXPECT_EQ(waitFor(first), 0);
}

} // namespace
} // namespace vonalor::test
