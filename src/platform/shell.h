#pragma once

#include <string>

namespace vonalor {

// The desktop shell: opening documents and web addresses with their default programs.
class Shell {
public:
    virtual ~Shell() = default;
    // "open" on a file or address, shown normally; false when nothing could be started.
    virtual bool open(const std::string& target) = 0;
};

} // namespace vonalor
