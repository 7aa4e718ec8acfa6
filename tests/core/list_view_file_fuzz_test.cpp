#include "test_support.h"

#include "tasks/list_view_file.h"

#include <cstdio>
#include <random>

namespace vonalor::test {
namespace {

std::string hex(const std::string& bytes) {
    std::string out;
    for (const char c : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X ", static_cast<unsigned char>(c));
        out += pair;
    }
    return out;
}

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : m_random(seed) {}

    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : m_random() % bound; }
    char byte() { return static_cast<char>(m_random() & 0xFF); }

    std::string randomBytes() {
        // Mostly past the marker, so that the decoder's own paths are the ones exercised.
        std::string out = below(8) == 0 ? std::string() : std::string("LVF");
        for (std::size_t n = below(80); n > 0; --n)
            out += byte();
        return out;
    }

    std::string mutate(std::string bytes) {
        for (std::size_t steps = 1 + below(3); steps > 0; --steps) {
            const std::size_t at = below(bytes.size() + 1);
            switch (below(7)) {
            case 0: // a byte changed
                if (at < bytes.size())
                    bytes[at] = byte();
                break;
            case 1: // bytes inserted
                bytes.insert(at, below(6) + 1, byte());
                break;
            case 2: // a stretch removed
                bytes.erase(at, below(12) + 1);
                break;
            case 3: // cut short
                bytes.resize(at);
                break;
            case 4: // a stretch repeated
                bytes.insert(at, bytes.substr(below(bytes.size() + 1), below(24)));
                break;
            case 5: // a 16-bit count or length rewritten
                if (at + 1 < bytes.size()) {
                    bytes[at] = byte();
                    bytes[at + 1] = below(2) == 0 ? '\0' : byte();
                }
                break;
            default: // something after the end
                bytes += byte();
                break;
            }
        }
        return bytes;
    }

private:
    std::mt19937 m_random;
};

// Fixed seed and count (about two seconds): every input decodes without a crash or a hang,
// rows appear only after the marker, and a decode that took the whole file writes it back
// byte for byte.
TEST(ListViewFileFuzz, RandomAndMutatedFilesDecodeSafelyAndWholeOnesEncodeBackExactly) {
    const std::filesystem::path data = VONALOR_TEST_DATA_DIR;
    const std::string seeds[] = {readFile(data / "task_rows.lvf"), readFile(data / "cp1250_every_byte.lvf"),
                                 std::string("LVF\0\0", 5)};
    Mutator mutator(20041020);
    std::size_t whole = 0;
    std::size_t mismatches = 0;
    std::string firstMismatch;
    for (int i = 0; i < 2'500'000; ++i) {
        const std::string input =
            i % 5 == 0 ? mutator.randomBytes() : mutator.mutate(seeds[mutator.below(std::size(seeds))]);
        const DecodedList decoded = decodeListViewFile(input);
        if (!decoded.markerOk) {
            ASSERT_TRUE(decoded.rows.empty()) << hex(input);
        }
        if (!decoded.complete)
            continue;
        ++whole;
        if (encodeListViewFile(decoded.rows) != input && mismatches++ == 0)
            firstMismatch = hex(input);
    }
    EXPECT_EQ(mismatches, 0u) << "first: " << firstMismatch;
    // The mutations must keep reaching the whole-file path, or the round trip goes untested.
    EXPECT_GT(whole, 50'000u) << whole;
}

} // namespace
} // namespace vonalor::test
