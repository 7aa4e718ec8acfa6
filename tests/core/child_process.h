#pragma once

// vonalorctl run as a child whose standard output the test reads line by line, so that it can
// wait on what the child prints (never on the clock) and signal it at a chosen point.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace vonalor::test {

struct CtlChild {
    pid_t pid = 0;
    FILE* out = nullptr;

    // `environment` is added to the test's own ("TMPDIR=/x").
    CtlChild(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {}) {
        int pipeFds[2];
        EXPECT_EQ(::pipe(pipeFds), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> words{VONALOR_CTL_PATH};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        std::vector<std::string> variables = environment;
        for (char** item = environ; *item; ++item)
            variables.push_back(*item); // the first of a name counts: ours come first
        std::vector<char*> envp;
        for (std::string& variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);
        EXPECT_EQ(::posix_spawn(&pid, VONALOR_CTL_PATH, &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        out = ::fdopen(pipeFds[0], "r");
    }
    CtlChild(const CtlChild&) = delete;
    CtlChild& operator=(const CtlChild&) = delete;
    ~CtlChild() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            finish();
        }
    }

    // The next line of its standard output; empty at its end.
    std::string readLine() {
        char buffer[512];
        return std::fgets(buffer, sizeof buffer, out) ? std::string(buffer) : std::string();
    }

    // Reads what is left of its output and waits for it: its exit code, or 128 + the signal
    // that ended it.
    int finish() {
        while (!readLine().empty()) {
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = 0;
        std::fclose(out);
        out = nullptr;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

} // namespace vonalor::test
