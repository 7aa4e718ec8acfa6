#pragma once

#include <string>

namespace vonalor {

// What changed in the core's state, as a set of bits: a view renders only its own parts.
enum class Aspect : unsigned {
    Session = 1u << 0,   // the connection's state, name, address, hang-up and lock of the choosers
    Traffic = 1u << 1,   // speed and bytes (up to a hundred times a second while connected)
    Duration = 1u << 2,  // a second of the session was counted
    Cost = 1u << 3,      // the running cost, the tariff in force and the window title
    Totals = 1u << 4,    // the "Költségek" page: period totals, bill, period dates
    Discount = 1u << 5,  // the "Kedvezmény" group
    Tray = 1u << 6,      // the tray's hint, pictures and visibility
    Window = 1u << 7,    // visibility, tabs, captions, the chosen connections
    Phonebook = 1u << 8, // the entries every chooser lists
    Companion = 1u << 9, // the companion window's figures and place
    // Not parts of the state but events, told only where they happen:
    Books = 1u << 10,         // a session was booked or a period closed: the log view reads again
    SecondCounted = 1u << 11, // the duration counter counted a second
};
using Aspects = unsigned;
// Every part of the state.
inline constexpr Aspects AllAspects = (1u << 10) - 1;
constexpr Aspects operator|(Aspect a, Aspect b) {
    return static_cast<Aspects>(a) | static_cast<Aspects>(b);
}
constexpr Aspects operator|(Aspects a, Aspect b) {
    return a | static_cast<Aspects>(b);
}
constexpr bool has(Aspects set, Aspect aspect) {
    return (set & static_cast<Aspects>(aspect)) != 0;
}

// What the core asks of the window that shows it. Every call comes after the core's state
// has settled, so the view only renders.
class CoreView {
public:
    virtual ~CoreView() = default;
    // The parts of the state that changed, gathered over one event and told once at its end.
    virtual void changed(Aspects /*aspects*/) {}
    // True when the view shows the traffic figures as they move (a window on the screen); the
    // watch then refreshes them five times a second instead of once.
    virtual bool showsTrafficLive() const { return false; }
    virtual void showMainWindow() {}
    virtual void hideMainWindow() {}
    virtual void showHintBubble(const std::string& /*text*/) {}
    virtual void closeHintBubble() {}
    virtual void closeCompanion() {}
    // The restore prompt; true when the right password was given.
    virtual bool askRestorePassword() { return true; }
    virtual void showBalloon(const std::string& /*title*/, const std::string& /*text*/, int /*seconds*/) {}
    virtual void bringToForeground() {}
    // Lets pending events run (a long operation that stays responsive).
    virtual void processEvents() {}
};

} // namespace vonalor
