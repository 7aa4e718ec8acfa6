#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vonalor {

// The main window's timers, in the order of their creation.
enum class TimerId {
    Status,          // the connection watch
    Idotartam,       // the duration counter and the running cost step, while a session lasts
    Koltsegek,       // the tariff in force, the title, the allowance alarms, while a session lasts
    KapcsFrissit,    // the phonebook list and new entries
    UjHonap,         // the end of the billing period
    Feladatok,       // the task runner
    Ikon,            // the tray's hint and pictures
    Kisero,          // the companion window
    ElsoInditas,     // hiding to the tray after the first showing
    NincsKapModTul,  // the properties request after the chooser window
    Hibernalas,      // the hibernation countdown
    LetoltIdo,       // the download's elapsed time
    LetoltKesleltet, // the delayed start of a download
};
inline constexpr std::size_t TimerCount = 13;

// How a timer may sleep on the real clock (virtual time always ticks as set).
enum class WakePolicy {
    Exact,  // every interval
    Coarse, // on whole seconds: several coarse timers share one wake-up
};

struct TimerSpec {
    TimerId id;
    std::string_view name; // the behaviour's name
    int interval;          // milliseconds
    bool enabled;          // at creation
    WakePolicy wake;
};

inline constexpr std::array<TimerSpec, TimerCount> timerTable = {{
    {TimerId::Status, "TimerStatus", 10, true, WakePolicy::Exact},
    {TimerId::Idotartam, "TimerIdotartam", 1000, false, WakePolicy::Exact},
    {TimerId::Koltsegek, "TimerKoltsegek", 1000, false, WakePolicy::Exact},
    {TimerId::KapcsFrissit, "TimerKapcsFrissit", 2000, true, WakePolicy::Exact},
    {TimerId::UjHonap, "TimerUjHonap", 2500, true, WakePolicy::Exact},
    {TimerId::Feladatok, "TimerFeladatok", 1, true, WakePolicy::Coarse},
    {TimerId::Ikon, "TimerIkon", 1000, true, WakePolicy::Exact},
    {TimerId::Kisero, "TimerKisero", 500, false, WakePolicy::Exact},
    {TimerId::ElsoInditas, "TimerElsoInditas", 200, false, WakePolicy::Exact},
    {TimerId::NincsKapModTul, "TimerNincsKapModTul", 1000, false, WakePolicy::Exact},
    {TimerId::Hibernalas, "TimerHibernalas", 1000, false, WakePolicy::Exact},
    {TimerId::LetoltIdo, "TimerLetoltIdo", 1000, true, WakePolicy::Exact},
    {TimerId::LetoltKesleltet, "TimerLetoltKesleltet", 1000, false, WakePolicy::Exact},
}};

constexpr const TimerSpec& timerSpec(TimerId id) {
    return timerTable[static_cast<std::size_t>(id)];
}

// The table lists every timer once, in the order of the ids.
static_assert([] {
    for (std::size_t i = 0; i < timerTable.size(); ++i) {
        if (static_cast<std::size_t>(timerTable[i].id) != i)
            return false;
    }
    return true;
}());

} // namespace vonalor
