// A store SQLite cannot read is reported as such, never read as empty; a write that fails
// leaves nothing of itself behind.

#include "test_support.h"

#include <sqlite3.h>

#include <fstream>
#include <functional>
#include <random>

namespace vonalor::test {
namespace {

constexpr auto HKLM = RegistryRoot::LocalMachine;
constexpr const char* ProgramKeyPath = "SOFTWARE\\Vonalor";

// A store of a few thousand values over many pages, closed so that everything is in the file.
void fillStore(const TempHome& home) {
    auto registry = SqliteRegistry::open(home / "registry.db");
    for (int key = 0; key < 4; ++key) {
        std::vector<std::pair<std::string, std::string>> values;
        for (int i = 0; i < 1000; ++i)
            values.emplace_back("Ertek" + std::to_string(i), "Szoveg " + std::to_string(i * 7919));
        ASSERT_TRUE(registry->writeValues(HKLM, std::string(ProgramKeyPath) + std::to_string(key), values));
    }
    ASSERT_TRUE(registry->write(HKLM, ProgramKeyPath, "OtthonOsszKoltseg", "12,5"));
}

// Overwrites every page but the first (which holds the schema) with random bytes.
void damagePages(const std::filesystem::path& file) {
    const auto size = std::filesystem::file_size(file);
    ASSERT_GT(size, 8u * 4096u);
    std::mt19937 random(20041020);
    std::string noise(size - 4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(4096);
    out.write(noise.data(), static_cast<std::streamsize>(noise.size()));
}

TEST(RegistryFailureTest, ADamagedStoreIsRefusedAtOpenWithSQLitesMessage) {
    const struct {
        const char* name;
        std::function<void(const std::filesystem::path&)> damage;
        const char* message;
    } cases[] = {
        {"pages overwritten", damagePages, "malformed"},
        {"not a database", [](const std::filesystem::path& file) { writeFile(file, std::string(8192, 'x')); },
         "not a database"},
    };
    for (const auto& c : cases) {
        TempHome home;
        fillStore(home);
        c.damage(home / "registry.db");
        std::string error;
        EXPECT_EQ(SqliteRegistry::open(home / "registry.db", &error), nullptr) << c.name;
        EXPECT_NE(error.find("registry.db: "), std::string::npos) << c.name << ": " << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
    }
}

TEST(RegistryFailureTest, VonalorctlReportsADamagedStoreAndFails) {
    TempHome home;
    fillStore(home);
    damagePages(home / "registry.db");
    const CommandResult values = runCtl(home.path(), "values");
    EXPECT_EQ(values.exitCode, 1);
    EXPECT_EQ(values.out, "");
    const CommandResult told = runCtl(home.path(), "values", CtlStreams::ErrorsOnly);
    EXPECT_EQ(told.out.rfind("vonalorctl: ", 0), 0u) << told.out;
    EXPECT_NE(told.out.find("registry.db: database disk image is malformed"), std::string::npos) << told.out;
}

// Damage that appears while the store is open: every read path throws, a write answers false.
TEST(RegistryFailureTest, DamageFoundWhileOpenIsAnErrorNotAMissingValue) {
    const struct {
        const char* name;
        std::function<void(SqliteRegistry&)> read;
    } reads[] = {
        {"read", [](SqliteRegistry& r) { r.read(HKLM, ProgramKeyPath, "OtthonOsszKoltseg"); }},
        {"keyExists", [](SqliteRegistry& r) { r.keyExists(HKLM, ProgramKeyPath); }},
        {"values", [](SqliteRegistry& r) { r.values(HKLM, ProgramKeyPath); }},
    };
    for (const auto& c : reads) {
        TempHome home;
        fillStore(home);
        auto registry = SqliteRegistry::open(home / "registry.db");
        ASSERT_NE(registry, nullptr);
        damagePages(home / "registry.db");
        // Another connection's change makes SQLite drop the pages it read while opening.
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open((home / "registry.db").c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "CREATE TABLE touched(x)", nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(other);
        sqlite3_close(other);

        try {
            c.read(*registry);
            ADD_FAILURE() << c.name << " read a damaged store without an error";
        } catch (const StoreError& e) {
            EXPECT_NE(std::string(e.what()).find("registry.db: database disk image is malformed"),
                      std::string::npos)
                << c.name << ": " << e.what();
        }
        EXPECT_FALSE(registry->write(HKLM, ProgramKeyPath, "OtthonOsszKoltseg", "0")) << c.name;
    }
}

// Every connection opened while this lives may not grow the database: a full disk.
class FullDisk {
public:
    FullDisk() { sqlite3_auto_extension(reinterpret_cast<void (*)()>(&limitToCurrentSize)); }
    ~FullDisk() { sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&limitToCurrentSize)); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    static int limitToCurrentSize(sqlite3* db, char**, const sqlite3_api_routines*) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA page_count", -1, &stmt, nullptr);
        const sqlite3_int64 pages = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
        sqlite3_finalize(stmt);
        const std::string limit = "PRAGMA max_page_count = " + std::to_string(pages);
        return sqlite3_exec(db, limit.c_str(), nullptr, nullptr, nullptr);
    }
};

TEST(RegistryFailureTest, ATransactionThatCannotBeStoredLeavesNoneOfItsValues) {
    TempHome home;
    {
        auto registry = SqliteRegistry::open(home / "registry.db");
        ASSERT_TRUE(registry->write(HKLM, ProgramKeyPath, "OtthonOsszKoltseg", "12,5"));
        ASSERT_TRUE(registry->write(HKLM, ProgramKeyPath, "OtthonOsszPerc", "30"));
    }
    std::unique_ptr<SqliteRegistry> full;
    {
        FullDisk disk;
        full = SqliteRegistry::open(home / "registry.db");
    }
    ASSERT_NE(full, nullptr);
    ASSERT_EQ(full->read(HKLM, ProgramKeyPath, "OtthonOsszKoltseg").text, "12,5");

    // The first value fits where it is; the big one needs pages the disk does not have.
    EXPECT_FALSE(full->writeValues(
        HKLM, ProgramKeyPath,
        {{"OtthonOsszKoltseg", "99"}, {"Naplo", std::string(64 * 1024, 'n')}, {"OtthonOsszPerc", "31"}}));

    auto fresh = SqliteRegistry::open(home / "registry.db");
    for (SqliteRegistry* registry : {full.get(), fresh.get()}) {
        EXPECT_EQ(registry->read(HKLM, ProgramKeyPath, "OtthonOsszKoltseg").text, "12,5");
        EXPECT_EQ(registry->read(HKLM, ProgramKeyPath, "Naplo").status, Registry::Status::NoValue);
        EXPECT_EQ(registry->read(HKLM, ProgramKeyPath, "OtthonOsszPerc").text, "30");
    }
    // Once there is room again the same transaction goes through whole.
    EXPECT_TRUE(fresh->writeValues(HKLM, ProgramKeyPath,
                                   {{"OtthonOsszKoltseg", "99"}, {"Naplo", std::string(64 * 1024, 'n')}}));
    EXPECT_EQ(full->read(HKLM, ProgramKeyPath, "OtthonOsszKoltseg").text, "99");
}

} // namespace
} // namespace vonalor::test
