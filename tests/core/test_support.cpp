#include "test_support.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace vonalor::test {

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

CommandResult runCommand(const std::string& commandLine) {
    CommandResult result;
    FILE* pipe = ::popen(commandLine.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

CommandResult runCtl(const std::filesystem::path& home, const std::string& arguments, CtlStreams streams) {
    const char* redirect = streams == CtlStreams::Out            ? " 2>/dev/null"
                           : streams == CtlStreams::OutAndErrors ? " 2>&1"
                                                                 : " 2>&1 >/dev/null";
    return runCommand(shellQuote(VONALOR_CTL_PATH) + " --home " + shellQuote(home.string()) + " " +
                      arguments + redirect);
}

} // namespace vonalor::test

namespace vonalor::test {

void storeRaw(const std::filesystem::path& home, const std::string& name, const std::string& text) {
    auto registry = SqliteRegistry::open(home / "registry.db");
    ASSERT_TRUE(registry);
    ASSERT_TRUE(registry->write(RegistryRoot::LocalMachine, ProgramKey, name, text));
}

} // namespace vonalor::test
