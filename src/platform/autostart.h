#pragma once

#include <optional>
#include <string>

namespace vonalor {

// The desktop's list of programs started at logon.
class Autostart {
public:
    virtual ~Autostart() = default;
    // Adds (or replaces) the program's entry; false when the list cannot be written.
    virtual bool add() = 0;
    virtual bool remove() = 0;
    // What the entry starts, when there is one.
    virtual std::optional<std::string> entry() = 0;
};

} // namespace vonalor
