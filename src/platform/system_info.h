#pragma once

#include <cstdint>

namespace vonalor {

// Facts about the running system.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // Seconds since the system started.
    virtual std::int64_t uptimeSeconds() = 0;
};

} // namespace vonalor
