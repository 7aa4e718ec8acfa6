#pragma once

#include <string>
#include <vector>

namespace vonalor {

// The computer's own network identity.
class Net {
public:
    virtual ~Net() = default;
    // The IPv4 addresses of the local host, as dotted text.
    virtual std::vector<std::string> ipv4Addresses() = 0;
};

} // namespace vonalor
