#pragma once

#include <stdexcept>
#include <string>

namespace vonalor {

// A stored text that had to be a number was not one. It ends the event that was running;
// the event boundary shows the message as the platform's notice.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace vonalor
