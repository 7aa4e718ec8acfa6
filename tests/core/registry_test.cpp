#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

namespace vonalor::test {
namespace {

constexpr auto HKLM = RegistryRoot::LocalMachine;

struct RegistryTest : ::testing::Test {
    TempHome home;
    std::unique_ptr<SqliteRegistry> registry = SqliteRegistry::open(home / "registry.db");
};

TEST_F(RegistryTest, NamesCompareWithoutLetterCaseIncludingHungarianLetters) {
    ASSERT_TRUE(registry->write(HKLM, "SOFTWARE\\Vonalor", "ÓbudaOsszKoltseg", "12,5"));
    const struct {
        const char* key;
        const char* name;
    } spellings[] = {
        {"SOFTWARE\\Vonalor", "óbudaosszkoltseg"},
        {"software\\vonalor", "ÓBUDAOSSZKOLTSEG"},
        {"\\Software\\VONALOR\\", "ÓbudaOsszKoltseg"},
    };
    for (const auto& s : spellings) {
        const auto result = registry->read(HKLM, s.key, s.name);
        EXPECT_EQ(result.status, Registry::Status::Found) << s.key << " " << s.name;
        EXPECT_EQ(result.text, "12,5");
    }
    EXPECT_EQ(foldRegistryName("ŐŰÁÉÍÓÖÚÜ"), "őűáéíóöúü");
}

// A name with a broken UTF-8 sequence is its own name: its bytes are not read as a letter
// another name spells properly.
TEST_F(RegistryTest, ABrokenSequenceFoldsByteForByteAndMeetsNoOtherName) {
    const struct {
        std::string name;
        std::string folded;
        std::string other; // a proper name the broken one must not meet
    } cases[] = {
        {"X\xC3"
         "A",
         "x\xC3"
         "a",
         "xá"}, // the continuation byte is missing
        {"\xC1\x81"
         "B",
         "\xC1\x81"
         "b",
         "ab"},                                               // an overlong 'A'
        {"K\xE2\x82", "k\xE2\x82", "k"},                      // cut off at the end
        {"\xC5\x90\xC5", "ő\xC5", "ő"},                       // a whole letter, then a lone lead byte
        {"Díj€\xF0\x9F\x98\x80", "díj€\xF0\x9F\x98\x80", ""}, // whole sequences of every length
    };
    for (const auto& c : cases) {
        EXPECT_EQ(foldRegistryName(c.name), c.folded) << c.name;
        ASSERT_TRUE(registry->write(HKLM, "SOFTWARE\\Vonalor", c.name, "broken"));
        EXPECT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", c.folded).status, Registry::Status::Found)
            << c.name;
        if (!c.other.empty()) {
            EXPECT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", c.other).status, Registry::Status::NoValue)
                << c.name;
        }
    }
}

TEST_F(RegistryTest, ValuesEnumerateInCreationOrderAndAReplaceKeepsItsPlace) {
    for (const char* name : {"Zeta", "Alpha", "Mid"})
        registry->write(HKLM, "SOFTWARE\\Vonalor", name, name);
    registry->write(HKLM, "SOFTWARE\\Vonalor", "ALPHA", "new");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Zeta", "Zeta"}, {"Alpha", "new"}, {"Mid", "Mid"}};
    EXPECT_EQ(registry->values(HKLM, "SOFTWARE\\Vonalor"), expected);
}

TEST_F(RegistryTest, MissingKeyAndMissingValueAreTold) {
    EXPECT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", "X").status, Registry::Status::NoKey);
    EXPECT_FALSE(registry->keyExists(HKLM, "SOFTWARE\\Vonalor"));
    registry->write(HKLM, "SOFTWARE\\Vonalor", "Y", "1");
    EXPECT_TRUE(registry->keyExists(HKLM, "SOFTWARE"));
    EXPECT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", "X").status, Registry::Status::NoValue);
    EXPECT_EQ(registry->read(RegistryRoot::CurrentUser, "SOFTWARE\\Vonalor", "Y").status,
              Registry::Status::NoKey);
    EXPECT_TRUE(registry->remove(HKLM, "SOFTWARE\\Vonalor", "y"));
    EXPECT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", "Y").status, Registry::Status::NoValue);
}

TEST_F(RegistryTest, EveryWriteSurvivesReopening) {
    registry->write(HKLM, "SOFTWARE\\Vonalor", "A", "1");
    registry->write(HKLM, "SOFTWARE\\Vonalor", "A", "2");
    registry.reset();
    auto reopened = SqliteRegistry::open(home / "registry.db");
    EXPECT_EQ(reopened->read(HKLM, "SOFTWARE\\Vonalor", "A").text, "2");
}

// Another process's write is seen by the next read, even with the value already cached here.
TEST_F(RegistryTest, ReadsSeeAnotherProcesssWrites) {
    registry->write(HKLM, "SOFTWARE\\Vonalor", "Ujraindit", "0");
    ASSERT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", "Ujraindit").text, "0");

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto other = SqliteRegistry::open(home / "registry.db");
        const bool ok = other && other->write(HKLM, "SOFTWARE\\Vonalor", "Ujraindit", "1") &&
                        other->write(HKLM, "SOFTWARE\\Vonalor", "Uj", "x");
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", "Ujraindit").text, "1");
    EXPECT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", "Uj").text, "x");
}

// What may happen to the change counter beside the database while a program has the store open.
struct CounterCase {
    const char* name;
    void (*change)(const std::filesystem::path& counter);
};

const CounterCase counterCases[] = {
    {"cut to nothing",
     [](const std::filesystem::path& counter) { std::filesystem::resize_file(counter, 0); }},
    {"cut to half a counter",
     [](const std::filesystem::path& counter) { std::filesystem::resize_file(counter, 4); }},
    {"deleted", [](const std::filesystem::path& counter) { std::filesystem::remove(counter); }},
    {"replaced by an empty file",
     [](const std::filesystem::path& counter) {
         std::filesystem::remove(counter);
         writeFile(counter, "");
     }},
    {"replaced by a file of zeros",
     [](const std::filesystem::path& counter) {
         std::filesystem::remove(counter);
         writeFile(counter, std::string(4096, '\0'));
     }},
};

// The first connection has the value cached when the counter file changes; another connection,
// opened before or after the change, writes. The first must neither crash nor keep its stale copy.
TEST_F(RegistryTest, AChangedCounterFileNeitherCrashesNorHidesAnotherConnectionsWrites) {
    for (const CounterCase& c : counterCases) {
        for (const bool otherOpenedFirst : {true, false}) {
            TempHome caseHome;
            auto first = SqliteRegistry::open(caseHome / "registry.db");
            ASSERT_TRUE(first->write(HKLM, "SOFTWARE\\Vonalor", "OtthonOsszKoltseg", "10"));
            ASSERT_EQ(first->read(HKLM, "SOFTWARE\\Vonalor", "OtthonOsszKoltseg").text, "10");
            std::unique_ptr<SqliteRegistry> other;
            if (otherOpenedFirst)
                other = SqliteRegistry::open(caseHome / "registry.db");

            c.change(caseHome / "registry.db-gen");
            EXPECT_EQ(first->read(HKLM, "SOFTWARE\\Vonalor", "OtthonOsszKoltseg").text, "10") << c.name;
            if (!otherOpenedFirst)
                other = SqliteRegistry::open(caseHome / "registry.db");
            ASSERT_TRUE(other->write(HKLM, "SOFTWARE\\Vonalor", "OtthonOsszKoltseg", "0"));

            EXPECT_EQ(first->read(HKLM, "SOFTWARE\\Vonalor", "OtthonOsszKoltseg").text, "0")
                << c.name << (otherOpenedFirst ? ", other opened first" : ", other opened after");
            // And the other way round, once both agree on the file again.
            ASSERT_TRUE(first->write(HKLM, "SOFTWARE\\Vonalor", "OtthonOsszKoltseg", "5"));
            EXPECT_EQ(other->read(HKLM, "SOFTWARE\\Vonalor", "OtthonOsszKoltseg").text, "5") << c.name;
        }
    }
}

// A counter cut short and started again must not come back to a value a reader has seen.
TEST_F(RegistryTest, ACounterStartedAgainIsNotMistakenForTheOneSeen) {
    ASSERT_TRUE(registry->write(HKLM, "SOFTWARE\\Vonalor", "A", "1"));
    ASSERT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", "A").text, "1");

    std::filesystem::resize_file(home / "registry.db-gen", 0);
    auto other = SqliteRegistry::open(home / "registry.db"); // starts the counter again
    ASSERT_TRUE(other->write(HKLM, "SOFTWARE\\Vonalor", "A", "2"));
    EXPECT_EQ(registry->read(HKLM, "SOFTWARE\\Vonalor", "A").text, "2");
}

TEST_F(RegistryTest, OpeningAnUnusableFileFailsWithAReason) {
    std::filesystem::create_directories(home / "dir.db");
    std::string error;
    EXPECT_EQ(SqliteRegistry::open(home / "dir.db", &error), nullptr);
    EXPECT_NE(error.find("dir.db"), std::string::npos);
}

} // namespace
} // namespace vonalor::test
