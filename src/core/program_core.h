#pragma once

#include "core/main_window_state.h"
#include "core/timer_table.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vonalor {

class Autostart;
class Browser;
class Clock;
class Dialogs;
class Net;
class ProgramLog;
class Ras;
class Shell;
class SettingsStore;
class Sound;
class SystemInfo;
class Timer;
class TimerService;
class SessionBooks;
struct BookingOutcome;
struct DateTime;
struct RasDevice;

// What the program core needs from the system, bound once by the composition root.
struct CorePorts {
    std::filesystem::path home;  // the program's folder: every file of the program lives here
    std::string programFolder;   // where the executable is (autostart, browser button)
    Clock& clock;
    TimerService& timers;
    SettingsStore& store;
    ProgramLog& log;
    Dialogs& dialogs;
    Sound& sound;
    Ras& ras;
    Autostart& autostart;
    SystemInfo& system;
    Net& net;
    Shell& shell;
    Browser& browser;
};

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

// The main window's state, timers and handlers without any widget: the desktop window
// renders it, the command line and the tests drive it directly.
class ProgramCore {
public:
    explicit ProgramCore(CorePorts ports);
    ~ProgramCore();
    ProgramCore(const ProgramCore&) = delete;
    ProgramCore& operator=(const ProgramCore&) = delete;

    void setView(CoreView* view) { m_view = view; }
    // Runs one event (a timer tick, a user action) inside the failure boundary.
    void runEvent(const std::function<void()>& work);

    // The main window's handlers. FormCreate creates the timers; a stored value that is not a
    // number ends it with ConversionError where its step converts it.
    void FormCreate();
    void FormShow();
    // True when the window may close; asks while a connection is active unless told the answer.
    bool FormCloseQuery(bool answerYes = false);
    void FormClose();
    void HideToTray();
    // A system command reached the main window: minimising sets the restore-password mark,
    // any other command clears it.
    void onSystemCommand(bool minimise);
    // The tray icon's left button: the window comes back, behind the password when asked for.
    void trayLeftClick();

    // The connection watch, every 10 ms.
    void TimerStatusTimer();
    // The duration counter and the running cost, every second of a session.
    void TimerIdotartamTimer();
    void TimerKoltsegekTimer();
    void TimerIkonTimer();
    void TimerUjHonapTimer();
    // Every two seconds: a new phonebook entry gets its record and statistics file.
    void TimerKapcsFrissitTimer();
    // The user opened the "Tarifák" tab or clicked its connection chooser: the list is no
    // longer refreshed for the rest of the run.
    void stopConnectionListTimer();
    // The user chose a tab of the main window or of the settings pages.
    void mainTabChosen(MainTab tab);
    void settingsTabChosen(SettingsTab tab);
    // "Kapcsolat bontása": hangs up the active connection; the watch sees it go.
    void btnKapcsBontClick();
    // The tray menu: offered only when no restore password is asked; "Állapot" brings the
    // window back; the applet items open the system's settings windows.
    bool trayMenuOffered();
    void trayMenuAllapot();
    void OpenControlPanelApplet(const std::string& applet);
    // The billing day chosen in comboTol (item 0 is day 1).
    void comboTolChange(int itemIndex);

    // The "Kedvezmény" group of the "Konfiguráció" page.
    void loadDiscountGroup();
    void checkKedvClick(bool checked);
    void CheckJelezOraClick(bool checked);
    void checkJelezClick(bool checked);
    void chbKedvHangClick(bool checked);
    // A connection chosen in comboKedvKapcs / ComboKedvOraKapcs: the field shows its allowance.
    std::string comboKedvKapcsChange(const std::string& connection);
    std::string ComboKedvOraKapcsChange(const std::string& connection);
    // True when the text was stored: only an amount the books can hold is.
    bool edKedvChange(const std::string& connection, const std::string& text);
    void edKedvExit(const std::string& text);
    void SpinEdit1Change(const std::string& connection, int hours);
    void playAllowanceSound();

    bool connectionActive() const { return m_state.session.lbKapcsAllap != "Nincs Kapcsolat"; }
    // True once something could not be written or booked in this run (the command line's exit
    // status says so).
    bool hadFailures() const { return m_failures > 0; }
    // Sessions of this or earlier runs that are not yet wholly in the books.
    std::size_t pendingBookings() const;

    MainWindowState& state() { return m_state; }
    const MainWindowState& state() const { return m_state; }
    Timer& timer(TimerId id) const;
    const std::vector<Timer*>& timers() const { return m_timers; }
    const CorePorts& ports() const { return m_ports; }

    // The settings tab each entry of the starting-tab list names ("Speciális II" is tab 5,
    // "Speciális 3" has no entry).
    static SettingsTab settingsTabOfStartingEntry(int entry);

private:
    void createTimers();
    std::function<void()> timerWork(TimerId id);
    void firstStart();
    void TimerElsoInditasTimer();
    // Notes what changed; told to the view at the end of the event (at once outside one).
    void changed(Aspects aspects = AllAspects);
    void changed(Aspect aspect) { changed(static_cast<Aspects>(aspect)); }
    void tellView();

    void refreshPeriodHeader();
    // Books the session that is ending (the disconnect edge, the close while connected).
    void closeSessionBooks();
    void connectedEdge(const DateTime& now);
    void disconnectEdge();
    void refreshTraffic();
    void CostStep();
    void costStepFailed();
    void alarm(const std::string& text);
    // The tray icon goes, the main window comes back to the foreground.
    void bringWindowBack();
    void enableDiscountControls();
    // A check box of the page: its value is stored at once.
    void storeCheckBox(bool& box, const char* setting, bool checked);
    void updateDormancy();
    void enableSessionTimers();
    void bookPending();
    void reportBooking(const BookingOutcome& outcome);
    void reportConversion(const std::string& notice, const std::string& source, const std::string& text);
    // Shows a failure once per run; inside an event it waits for the event's end, so that no
    // dialog opens while a step is half done.
    enum class Notice { Failure, Error };
    // True when the text had not been shown before in this run.
    bool report(Notice kind, const std::string& text);
    void showDeferredNotices();
    // The system's phonebook as the program keeps it: names that cannot name a record safely, or
    // that differ from another only in letter case, are left out and reported once a run.
    std::vector<std::string> phonebookEntries();
    // True when a connection of this entry is not watched (its name was refused).
    bool entryRefused(const std::string& name);
    // A stored number that only places a window: a bad text falls back to the default.
    int placementSetting(const char* name, int fallback);

    CorePorts m_ports;
    CoreView* m_view = nullptr;
    MainWindowState m_state;
    std::vector<Timer*> m_timers;
    std::unique_ptr<SessionBooks> m_books;
    std::vector<std::pair<Notice, std::string>> m_deferredNotices;
    std::vector<std::string> m_shownNotices;
    std::vector<std::string> m_reportedSettings;
    int m_eventDepth = 0;
    Aspects m_changed = 0;
    int m_failures = 0;
    bool m_closed = false;
};

inline constexpr const char* StartEntryText = "Vonalor 1.3 elindítva!";
// Where users send the report of a failed cost calculation.
inline constexpr const char* SupportAddress = "hibajelentes@vonalor.hu";

} // namespace vonalor
