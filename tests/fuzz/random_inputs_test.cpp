// The fuzz targets on seeded random inputs under ctest: random bytes and mutations of the small
// valid files in seeds/, for a fixed share of a few seconds each. An input that crashes is
// printed (in hex, from the signal handler) before the process ends; one that throws or breaks
// a promise fails the test with the input. VONALOR_FUZZ_SEED picks another random sequence.

#include "fuzz_targets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>

namespace vonalor::fuzz {

void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

namespace {

constexpr auto budget = std::chrono::milliseconds(600);
constexpr int mostRuns = 200'000;

std::string hexOf(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        hex += digits[static_cast<unsigned char>(c) >> 4];
        hex += digits[static_cast<unsigned char>(c) & 15];
    }
    return hex;
}

// The input being run, for the crash report; written by the test, read by the handler.
const char* runningTarget = "";
const char* runningData = nullptr;
std::size_t runningSize = 0;

void writeText(const char* text) {
    std::size_t length = 0;
    while (text[length])
        ++length;
    [[maybe_unused]] const auto written = ::write(2, text, length);
}

// Only write() and fixed buffers here: the process is in an unknown state.
void reportCrash(int signal) {
    static const char digits[] = "0123456789abcdef";
    writeText("\nfuzz: crash in target ");
    writeText(runningTarget);
    writeText(" on input (hex): ");
    char pair[2];
    for (std::size_t i = 0; runningData && i < runningSize; ++i) {
        pair[0] = digits[static_cast<unsigned char>(runningData[i]) >> 4];
        pair[1] = digits[static_cast<unsigned char>(runningData[i]) & 15];
        [[maybe_unused]] const auto written = ::write(2, pair, 2);
    }
    writeText("\n");
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

std::vector<std::string> seedsOf(const std::string& target) {
    std::vector<std::string> seeds;
    std::error_code ec;
    for (const auto& item :
         std::filesystem::directory_iterator(std::filesystem::path(VONALOR_FUZZ_SEEDS_DIR) / target, ec)) {
        std::ifstream in(item.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::sort(seeds.begin(), seeds.end());
    return seeds;
}

// Pieces that the readers look for, so that mutations reach past their first checks.
// clang-format off
const std::vector<std::string> tokens{
    "\r\n", "\n", "\r", " ", "\t", "#", "-", "+", ",", ".", ":", "[", "]", "(", ")", "{", "}", "E", "e",
    "0", "9", "00", "99999999999999999999", "2147483648", "-2147483649", "9223372036854775808", "4294968",
    "2004.10.25.", "2004.02.30.", "23:59:59", "24:00:00", "9:05:31", "1,5E15", "1E-6", "Nan", "+Inf",
    "LVF", "\xff\xff", "\x7f\xff\xff\xff", std::string(4, '\0'), "\xc3\xa1", "\xef\xbb\xbf", "\xe1", "\xc3",
    "at ", "connect ", "drop", "setup ", "speed ", "send ", "receive ", "entry ", "device ",
};
// clang-format on

std::string mutated(std::string bytes, std::mt19937_64& random) {
    auto below = [&random](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(random() % n); };
    const std::size_t changes = 1 + below(8);
    for (std::size_t i = 0; i < changes; ++i) {
        switch (below(6)) {
        case 0: // flip a bit
            if (!bytes.empty())
                bytes[below(bytes.size())] ^= static_cast<char>(1 << below(8));
            break;
        case 1: // a random byte somewhere
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(below(bytes.size() + 1)),
                         static_cast<char>(below(256)));
            break;
        case 2: // cut a piece out
            if (!bytes.empty()) {
                const std::size_t at = below(bytes.size());
                bytes.erase(at, 1 + below(std::min<std::size_t>(16, bytes.size() - at)));
            }
            break;
        case 3: // a token the readers look for
            bytes.insert(below(bytes.size() + 1), tokens[below(tokens.size())]);
            break;
        case 4: // a piece of the input again elsewhere
            if (!bytes.empty()) {
                const std::size_t at = below(bytes.size());
                const std::string piece = bytes.substr(at, 1 + below(32));
                bytes.insert(below(bytes.size() + 1), piece);
            }
            break;
        default: // the end cut off
            bytes.resize(below(bytes.size() + 1));
            break;
        }
    }
    return bytes;
}

std::string randomBytes(std::mt19937_64& random) {
    std::string bytes(random() % 128, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() % 256);
    return bytes;
}

class RandomInputsTest : public ::testing::TestWithParam<Target> {};

TEST_P(RandomInputsTest, AreReadWithoutCrashOrBrokenPromise) {
    const Target& target = GetParam();
    const std::vector<std::string> seeds = seedsOf(target.name);
    ASSERT_FALSE(seeds.empty()) << "no seeds for " << target.name;
    const char* seedText = std::getenv("VONALOR_FUZZ_SEED");
    const std::uint64_t seed = seedText && *seedText ? std::strtoull(seedText, nullptr, 10) : 20041025;
    std::mt19937_64 random(seed ^ std::hash<std::string>{}(target.name));
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(signal, reportCrash);
    runningTarget = target.name;

    const auto end = std::chrono::steady_clock::now() + budget;
    int runs = 0;
    for (; runs < mostRuns && (runs % 64 != 0 || std::chrono::steady_clock::now() < end); ++runs) {
        // The seeds themselves first, then mostly mutations of them.
        std::string input;
        if (static_cast<std::size_t>(runs) < seeds.size())
            input = seeds[static_cast<std::size_t>(runs)];
        else if (random() % 4 == 0)
            input = randomBytes(random);
        else
            input = mutated(seeds[random() % seeds.size()], random);
        runningData = input.data();
        runningSize = input.size();
        try {
            target.run(input);
        } catch (const std::exception& e) {
            FAIL() << target.name << ": " << e.what() << " on input (hex) " << hexOf(input) << " (seed "
                   << seed << ", run " << runs << ")";
        }
    }
    runningData = nullptr;
    EXPECT_GT(runs, static_cast<int>(seeds.size()));
}

INSTANTIATE_TEST_SUITE_P(Targets, RandomInputsTest, ::testing::ValuesIn(targets()),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace vonalor::fuzz
