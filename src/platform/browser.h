#pragma once

#include <string>
#include <vector>

namespace vonalor {

// The web browser the program looks after: its cache of temporary Internet files.
class Browser {
public:
    virtual ~Browser() = default;
    // The source addresses of the cache's entries.
    virtual std::vector<std::string> cacheEntries() = 0;
    virtual void deleteCacheEntry(const std::string& address) = 0;
};

// A browser with a cache kept in memory: the simulator's, and on Linux, where no browser
// offers its cache to other programs, an empty one.
class MemoryBrowser final : public Browser {
public:
    std::vector<std::string> cacheEntries() override { return m_cache; }
    void deleteCacheEntry(const std::string& address) override { std::erase(m_cache, address); }
    void addCacheEntry(std::string address) { m_cache.push_back(std::move(address)); }

private:
    std::vector<std::string> m_cache;
};

} // namespace vonalor
