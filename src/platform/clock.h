#pragma once

#include "text/date_time.h"

namespace vonalor {

// Local date and time as the user's desktop shows it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
};

} // namespace vonalor
