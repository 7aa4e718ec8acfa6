#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace vonalor {

// Lower-cases the letters a Hungarian registry name can hold (ASCII, Latin-1, Latin
// Extended-A), so names compare without letter case as the registry does.
std::string foldRegistryName(std::string_view name);

// The registry in one SQLite file. Every write is its own durable transaction. Reads are
// served from a per-process cache that is dropped whenever any process has written since:
// each write bumps a generation counter in a small shared file beside the database, and a
// read compares it first (a stat and an 8-byte read instead of a query). The counter file
// may be deleted, replaced or cut short from outside; it is then re-created and the cache
// dropped, and it is never mapped, so nothing done to it can crash a reader.
// Reads throw StoreError when SQLite cannot read the store; writes return false.
class SqliteRegistry final : public Registry {
public:
    static std::unique_ptr<SqliteRegistry> open(const std::filesystem::path& file,
                                                std::string* error = nullptr);
    ~SqliteRegistry() override;
    SqliteRegistry(const SqliteRegistry&) = delete;
    SqliteRegistry& operator=(const SqliteRegistry&) = delete;

    ReadResult read(RegistryRoot root, std::string_view key, std::string_view name) override;
    bool write(RegistryRoot root, std::string_view key, std::string_view name,
               std::string_view text) override;
    bool writeValues(RegistryRoot root, std::string_view key,
                     const std::vector<std::pair<std::string, std::string>>& values) override;
    bool keyExists(RegistryRoot root, std::string_view key) override;
    bool createKey(RegistryRoot root, std::string_view key) override;
    bool remove(RegistryRoot root, std::string_view key, std::string_view name) override;
    std::vector<std::pair<std::string, std::string>> values(RegistryRoot root, std::string_view key) override;

    // A consistent copy of the whole store in a new file (which must not exist yet).
    bool copyTo(const std::filesystem::path& file, std::string* error = nullptr);

private:
    struct CachedKey {
        std::int64_t id = 0;                                 // 0: the key does not exist
        std::unordered_map<std::string, std::string> values; // folded name -> text
    };

    SqliteRegistry() = default;
    bool init(const std::filesystem::path& file, std::string* error);
    bool openGeneration();
    bool generationFileIsOurs() const;
    std::optional<std::uint64_t> readGeneration() const;
    void revalidate();
    CachedKey& cachedKey(RegistryRoot root, std::string_view key);
    std::int64_t ensureKey(RegistryRoot root, std::string_view key);
    std::int64_t findKeyId(RegistryRoot root, const std::string& foldedPath);
    bool stepRead(sqlite3_stmt* stmt);
    bool exec(const char* sql);
    void abandonWrite();
    void publishWrite();

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_findKey = nullptr;
    sqlite3_stmt* m_insertKey = nullptr;
    sqlite3_stmt* m_keyValues = nullptr;
    sqlite3_stmt* m_upsertValue = nullptr;
    sqlite3_stmt* m_deleteValue = nullptr;

    std::filesystem::path m_file;
    std::filesystem::path m_generationFile;
    int m_generationFd = -1; // -1: no usable counter, every read goes to SQLite
    std::uint64_t m_generationDevice = 0;
    std::uint64_t m_generationInode = 0;
    std::uint64_t m_seenGeneration = 0;
    std::unordered_map<std::string, CachedKey> m_cache; // root digit + folded path -> key
};

} // namespace vonalor
