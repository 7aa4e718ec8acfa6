#include "platform/sqlite_registry.h"

#include "text/utf8.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace vonalor {

namespace {

// Earlier builds mapped a page of this size; the counter is its first 8 bytes.
constexpr off_t generationFileSize = 4096;

// Holds the counter's bytes against other processes' read-modify-write for its lifetime.
class GenerationLock {
public:
    explicit GenerationLock(int fd) : m_fd(fd) { m_held = apply(F_WRLCK); }
    ~GenerationLock() {
        if (m_held)
            apply(F_UNLCK);
    }
    GenerationLock(const GenerationLock&) = delete;
    GenerationLock& operator=(const GenerationLock&) = delete;

private:
    bool apply(short type) {
        struct flock range {};
        range.l_type = type;
        range.l_whence = SEEK_SET;
        range.l_len = sizeof(std::uint64_t);
        int result = 0;
        while ((result = ::fcntl(m_fd, F_OFD_SETLKW, &range)) != 0 && errno == EINTR) {
        }
        return result == 0;
    }

    int m_fd;
    bool m_held = false;
};

bool writeCounter(int fd, std::uint64_t value) {
    return ::pwrite(fd, &value, sizeof value, 0) == static_cast<ssize_t>(sizeof value);
}

// A counter that starts anew starts far from any value a process may have seen before it.
std::uint64_t freshGeneration() {
    std::random_device random;
    return (static_cast<std::uint64_t>(random()) << 32) ^ random();
}

int rootNumber(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? 0 : 1;
}

std::string trimmedPath(std::string_view path) {
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    return std::string(path);
}

std::string cacheKey(RegistryRoot root, std::string_view foldedPath) {
    std::string key(1, static_cast<char>('0' + rootNumber(root)));
    key += foldedPath;
    return key;
}

char32_t foldCodePoint(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    if (c == 0x178) // Y with diaeresis pairs with a Latin-1 letter
        return 0xFF;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A pairs capitals with the next code point, but shifts parity at 0x139..0x148 and
        // 0x179..0x17E.
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool isCapital = oddCapitals ? (c % 2 == 1) : (c % 2 == 0);
        return isCapital ? c + 1 : c;
    }
    return c;
}

std::string columnText(sqlite3_stmt* stmt, int column) {
    const auto* text = sqlite3_column_text(stmt, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)))
                : std::string();
}

void bindText(sqlite3_stmt* stmt, int index, std::string_view text) {
    sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// Resets a statement however the scope is left.
struct StatementScope {
    sqlite3_stmt* stmt;
    ~StatementScope() {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }
};

} // namespace

std::string foldRegistryName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        std::size_t next = i;
        const char32_t c = nextCodePoint(name, next);
        if (c == InvalidCodePoint) {
            // A broken sequence is kept byte for byte and folds to nothing else: the bytes
            // after its lead are read again on their own.
            out += name[i];
            ++i;
            continue;
        }
        const char32_t folded = foldCodePoint(c);
        if (folded == c)
            out.append(name.substr(i, next - i));
        else
            appendUtf8(out, folded);
        i = next;
    }
    return out;
}

std::unique_ptr<SqliteRegistry> SqliteRegistry::open(const std::filesystem::path& file, std::string* error) {
    std::unique_ptr<SqliteRegistry> registry(new SqliteRegistry());
    if (!registry->init(file, error))
        return nullptr;
    return registry;
}

bool SqliteRegistry::init(const std::filesystem::path& file, std::string* error) {
    m_file = file;
    auto fail = [&](const std::string& what) {
        if (error)
            *error = file.string() + ": " + what;
        return false;
    };
    if (sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        return fail(m_db ? sqlite3_errmsg(m_db) : "cannot open");
    sqlite3_busy_timeout(m_db, 10000);
    if (!exec("PRAGMA journal_mode=WAL") || !exec("PRAGMA synchronous=FULL"))
        return fail(sqlite3_errmsg(m_db));

    // A damaged store is refused here rather than read as empty later. The quick check reads
    // every page once; on a store of a few thousand values that is about a millisecond.
    sqlite3_stmt* check = nullptr;
    std::string damage;
    if (sqlite3_prepare_v2(m_db, "PRAGMA quick_check", -1, &check, nullptr) != SQLITE_OK) {
        damage = sqlite3_errmsg(m_db);
    } else {
        const int rc = sqlite3_step(check);
        if (rc == SQLITE_ROW && columnText(check, 0) != "ok")
            damage = std::string(sqlite3_errstr(SQLITE_CORRUPT)) + " (" + columnText(check, 0) + ")";
        else if (rc != SQLITE_ROW)
            damage = sqlite3_errmsg(m_db);
    }
    sqlite3_finalize(check);
    if (!damage.empty())
        return fail(damage);

    if (!exec("CREATE TABLE IF NOT EXISTS registry_key(id INTEGER PRIMARY KEY, root INTEGER NOT NULL,"
              " path TEXT NOT NULL, folded TEXT NOT NULL, UNIQUE(root, folded))") ||
        !exec("CREATE TABLE IF NOT EXISTS registry_value(id INTEGER PRIMARY KEY, key_id INTEGER NOT NULL,"
              " name TEXT NOT NULL, folded TEXT NOT NULL, data TEXT NOT NULL, UNIQUE(key_id, folded))"))
        return fail(sqlite3_errmsg(m_db));

    const struct {
        sqlite3_stmt** stmt;
        const char* sql;
    } statements[] = {
        {&m_findKey, "SELECT id FROM registry_key WHERE root = ?1 AND folded = ?2"},
        {&m_insertKey, "INSERT INTO registry_key(root, path, folded) VALUES(?1, ?2, ?3)"},
        {&m_keyValues, "SELECT name, folded, data FROM registry_value WHERE key_id = ?1 ORDER BY id"},
        {&m_upsertValue, "INSERT INTO registry_value(key_id, name, folded, data) VALUES(?1, ?2, ?3, ?4)"
                         " ON CONFLICT(key_id, folded) DO UPDATE SET data = excluded.data"},
        {&m_deleteValue, "DELETE FROM registry_value WHERE key_id = ?1 AND folded = ?2"},
    };
    for (const auto& s : statements) {
        if (sqlite3_prepare_v3(m_db, s.sql, -1, SQLITE_PREPARE_PERSISTENT, s.stmt, nullptr) != SQLITE_OK)
            return fail(sqlite3_errmsg(m_db));
    }

    m_generationFile = file.string() + "-gen";
    if (!openGeneration()) {
        if (error)
            *error = m_generationFile.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

SqliteRegistry::~SqliteRegistry() {
    for (sqlite3_stmt* stmt : {m_findKey, m_insertKey, m_keyValues, m_upsertValue, m_deleteValue})
        sqlite3_finalize(stmt);
    if (m_db)
        sqlite3_close(m_db);
    if (m_generationFd >= 0)
        ::close(m_generationFd);
}

// (Re)opens the counter file, creating it or giving a cut-short one a fresh start. The cache is
// dropped: whatever happened to the old file, writes may have gone unseen.
bool SqliteRegistry::openGeneration() {
    m_cache.clear();
    if (m_generationFd >= 0)
        ::close(m_generationFd);
    m_generationFd = ::open(m_generationFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_generationFd < 0)
        return false;
    struct stat status {};
    bool ok = false;
    {
        GenerationLock lock(m_generationFd); // two processes re-creating it give it one start
        ok = ::fstat(m_generationFd, &status) == 0;
        if (ok && status.st_size < static_cast<off_t>(sizeof(std::uint64_t)))
            ok = writeCounter(m_generationFd, freshGeneration());
        if (ok && status.st_size < generationFileSize)
            ok = ::ftruncate(m_generationFd, generationFileSize) == 0;
    }
    const std::optional<std::uint64_t> current = ok ? readGeneration() : std::nullopt;
    if (!current) {
        const int saved = errno;
        ::close(m_generationFd);
        m_generationFd = -1;
        errno = saved;
        return false;
    }
    m_generationDevice = status.st_dev;
    m_generationInode = status.st_ino;
    m_seenGeneration = *current;
    return true;
}

bool SqliteRegistry::generationFileIsOurs() const {
    struct stat status {};
    return m_generationFd >= 0 && ::stat(m_generationFile.c_str(), &status) == 0 &&
           static_cast<std::uint64_t>(status.st_dev) == m_generationDevice &&
           static_cast<std::uint64_t>(status.st_ino) == m_generationInode;
}

// Read with pread, not through a mapping: a file cut short gives a short read, not SIGBUS.
std::optional<std::uint64_t> SqliteRegistry::readGeneration() const {
    std::uint64_t value = 0;
    if (::pread(m_generationFd, &value, sizeof value, 0) != static_cast<ssize_t>(sizeof value))
        return std::nullopt;
    return value;
}

bool SqliteRegistry::exec(const char* sql) {
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

void SqliteRegistry::revalidate() {
    const std::optional<std::uint64_t> current = generationFileIsOurs() ? readGeneration() : std::nullopt;
    if (!current) {
        // Not sure what others wrote: start over with the file at the path. Without one, the cache
        // lives only until the next read, so every read goes to SQLite.
        if (!openGeneration())
            m_cache.clear();
        return;
    }
    if (*current != m_seenGeneration) {
        m_cache.clear();
        m_seenGeneration = *current;
    }
}

void SqliteRegistry::publishWrite() {
    if (!generationFileIsOurs() && !openGeneration())
        return; // no counter to tell the others through; this process reads through anyway
    std::optional<std::uint64_t> before;
    {
        GenerationLock lock(m_generationFd);
        before = readGeneration();
        if (before && !writeCounter(m_generationFd, *before + 1))
            before.reset();
    }
    if (before && *before == m_seenGeneration) {
        // Nobody else wrote meanwhile: the cache, updated in place, stays good.
        m_seenGeneration = *before + 1;
    } else {
        m_cache.clear();
        if (before)
            m_seenGeneration = *before + 1;
        else
            openGeneration(); // cut short meanwhile: a fresh start tells the others too
    }
}

// A write that failed may or may not have reached the file (a failed COMMIT can still be found
// in the log later): the cache goes, and the others are told to drop theirs.
void SqliteRegistry::abandonWrite() {
    if (!sqlite3_get_autocommit(m_db))
        exec("ROLLBACK");
    m_cache.clear();
    publishWrite();
}

bool SqliteRegistry::stepRead(sqlite3_stmt* stmt) {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw StoreError(m_file.string() + ": " + sqlite3_errmsg(m_db));
}

std::int64_t SqliteRegistry::findKeyId(RegistryRoot root, const std::string& foldedPath) {
    StatementScope scope{m_findKey};
    sqlite3_bind_int(m_findKey, 1, rootNumber(root));
    bindText(m_findKey, 2, foldedPath);
    return stepRead(m_findKey) ? sqlite3_column_int64(m_findKey, 0) : 0;
}

SqliteRegistry::CachedKey& SqliteRegistry::cachedKey(RegistryRoot root, std::string_view key) {
    revalidate();
    const std::string folded = foldRegistryName(trimmedPath(key));
    std::string id = cacheKey(root, folded);
    if (auto it = m_cache.find(id); it != m_cache.end())
        return it->second;

    CachedKey entry;
    entry.id = findKeyId(root, folded);
    if (entry.id != 0) {
        StatementScope scope{m_keyValues};
        sqlite3_bind_int64(m_keyValues, 1, entry.id);
        while (stepRead(m_keyValues))
            entry.values.emplace(columnText(m_keyValues, 1), columnText(m_keyValues, 2));
    }
    return m_cache.emplace(std::move(id), std::move(entry)).first->second;
}

Registry::ReadResult SqliteRegistry::read(RegistryRoot root, std::string_view key, std::string_view name) {
    const CachedKey& entry = cachedKey(root, key);
    if (entry.id == 0)
        return {Status::NoKey, {}};
    const auto it = entry.values.find(foldRegistryName(name));
    if (it == entry.values.end())
        return {Status::NoValue, {}};
    return {Status::Found, it->second};
}

std::int64_t SqliteRegistry::ensureKey(RegistryRoot root, std::string_view key) {
    // Parents first, as creating a key path creates every key along it.
    const std::string path = trimmedPath(key);
    std::int64_t id = 0;
    std::size_t end = 0;
    do {
        end = path.find('\\', end + 1);
        const std::string part = path.substr(0, end);
        const std::string folded = foldRegistryName(part);
        id = findKeyId(root, folded);
        if (id == 0) {
            StatementScope scope{m_insertKey};
            sqlite3_bind_int(m_insertKey, 1, rootNumber(root));
            bindText(m_insertKey, 2, part);
            bindText(m_insertKey, 3, folded);
            if (sqlite3_step(m_insertKey) != SQLITE_DONE)
                return 0;
            id = sqlite3_last_insert_rowid(m_db);
        }
    } while (end != std::string::npos);
    return id;
}

bool SqliteRegistry::createKey(RegistryRoot root, std::string_view key) {
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    try {
        if (ensureKey(root, key) == 0 || !exec("COMMIT")) {
            abandonWrite();
            return false;
        }
    } catch (const StoreError&) {
        abandonWrite();
        return false;
    }
    m_cache.clear();
    publishWrite();
    return true;
}

bool SqliteRegistry::write(RegistryRoot root, std::string_view key, std::string_view name,
                           std::string_view text) {
    return writeValues(root, key, {{std::string(name), std::string(text)}});
}

bool SqliteRegistry::writeValues(RegistryRoot root, std::string_view key,
                                 const std::vector<std::pair<std::string, std::string>>& values) {
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    std::int64_t keyId = 0;
    bool ok = false;
    try {
        keyId = ensureKey(root, key);
        ok = keyId != 0;
    } catch (const StoreError&) {
        ok = false;
    }
    for (std::size_t i = 0; ok && i < values.size(); ++i) {
        StatementScope scope{m_upsertValue};
        sqlite3_bind_int64(m_upsertValue, 1, keyId);
        bindText(m_upsertValue, 2, values[i].first);
        bindText(m_upsertValue, 3, foldRegistryName(values[i].first));
        bindText(m_upsertValue, 4, values[i].second);
        ok = sqlite3_step(m_upsertValue) == SQLITE_DONE;
    }
    if (!ok || !exec("COMMIT")) {
        abandonWrite();
        return false;
    }
    // Keep the cache of this key current instead of dropping it.
    revalidate();
    const std::string id = cacheKey(root, foldRegistryName(trimmedPath(key)));
    if (auto it = m_cache.find(id); it != m_cache.end() && it->second.id == keyId) {
        for (const auto& [name, text] : values)
            it->second.values[foldRegistryName(name)] = text;
    } else {
        m_cache.erase(id);
    }
    publishWrite();
    return true;
}

bool SqliteRegistry::keyExists(RegistryRoot root, std::string_view key) {
    return cachedKey(root, key).id != 0;
}

bool SqliteRegistry::remove(RegistryRoot root, std::string_view key, std::string_view name) {
    bool removed = false;
    try {
        const std::int64_t keyId = findKeyId(root, foldRegistryName(trimmedPath(key)));
        if (keyId == 0)
            return false;
        StatementScope scope{m_deleteValue};
        sqlite3_bind_int64(m_deleteValue, 1, keyId);
        bindText(m_deleteValue, 2, foldRegistryName(name));
        removed = sqlite3_step(m_deleteValue) == SQLITE_DONE && sqlite3_changes(m_db) > 0;
    } catch (const StoreError&) {
        removed = false; // a write that fails answers false, as the others do
    }
    m_cache.clear();
    publishWrite();
    return removed;
}

bool SqliteRegistry::copyTo(const std::filesystem::path& file, std::string* error) {
    sqlite3_stmt* stmt = nullptr;
    bool ok = sqlite3_prepare_v2(m_db, "VACUUM INTO ?1", -1, &stmt, nullptr) == SQLITE_OK;
    if (ok) {
        bindText(stmt, 1, file.string());
        ok = sqlite3_step(stmt) == SQLITE_DONE;
    }
    if (!ok && error)
        *error = file.string() + ": " + sqlite3_errmsg(m_db);
    sqlite3_finalize(stmt);
    return ok;
}

std::vector<std::pair<std::string, std::string>> SqliteRegistry::values(RegistryRoot root,
                                                                        std::string_view key) {
    std::vector<std::pair<std::string, std::string>> result;
    const std::int64_t keyId = findKeyId(root, foldRegistryName(trimmedPath(key)));
    if (keyId == 0)
        return result;
    StatementScope scope{m_keyValues};
    sqlite3_bind_int64(m_keyValues, 1, keyId);
    while (stepRead(m_keyValues))
        result.emplace_back(columnText(m_keyValues, 0), columnText(m_keyValues, 2));
    return result;
}

} // namespace vonalor
