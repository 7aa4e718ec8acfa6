#pragma once

#include "core/core_view.h"
#include "core/timer_table.h"

#include <string>

namespace vonalor {

class Timer;

// What a feature room asks of the program core: its timers, the view's change marks and the
// failure reports. A room writes only its own part of the state and reaches no other room.
class CoreContext {
public:
    enum class Notice { Failure, Error };

    virtual ~CoreContext() = default;
    virtual Timer& timer(TimerId id) const = 0;
    // Notes what changed; told to the view at the end of the event (at once outside one).
    virtual void changed(Aspects aspects) = 0;
    // Shows a failure once a run; true when the text had not been shown before.
    virtual bool report(Notice kind, const std::string& text) = 0;
    // A value that only tunes a display was not a number: logged once a run.
    virtual void noteBadSetting(const std::string& name, const std::string& text,
                                const std::string& fallback) = 0;
    // The view, told of everything so far, for a call that opens a window or lets events run.
    virtual CoreView* settledView() = 0;
};

} // namespace vonalor
