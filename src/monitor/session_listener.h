#pragma once

#include "text/date_time.h"

#include <string>

namespace vonalor {

// The edges of a session as the connection watch sees them. The program core answers each in
// the behaviour's order of steps, in one place.
class SessionListener {
public:
    virtual ~SessionListener() = default;
    // A new connection appeared (its handle and name are taken up).
    virtual void sessionAppeared(const std::string& name) = 0;
    // It is being set up (dialling, checking): the session's timers start.
    virtual void sessionSettingUp() = 0;
    // It reached the connected state.
    virtual void sessionConnected(const DateTime& now) = 0;
    // It is gone: its books are closed with the final figures, then every display goes back.
    virtual void sessionEnded() = 0;
};

} // namespace vonalor
