#pragma once

#include "platform/clock.h"

namespace vonalor {

// The machine's local time.
class SystemClock final : public Clock {
public:
    DateTime now() const override;
};

} // namespace vonalor
