#pragma once

#include "companion/companion_figures.h"
#include "core/core_context.h"
#include "core/core_ports.h"
#include "core/main_window_state.h"
#include "core/timer_table.h"
#include "core/tray_status.h"
#include "monitor/connection_list.h"
#include "monitor/connection_watch.h"
#include "monitor/duration_counter.h"
#include "monitor/session_listener.h"
#include "stats/period_totals.h"
#include "tariff/discount_settings.h"
#include "tariff/running_cost.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vonalor {

class SessionBooks;
struct BookingOutcome;

// The main window of the behaviour without any widget: the timer table, the event boundary,
// the order of the window's events and of a session's edges. The features live in their rooms
// (the connection watch, the duration counter, the connection list, the running cost, the
// discount settings, the period totals, the companion's figures, the tray, the books); each owns
// its part of the state, and the core forwards the behaviour's handlers to them. The desktop
// window renders the state, the command line and the tests drive the core directly.
class ProgramCore final : public CoreContext, private SessionListener {
public:
    explicit ProgramCore(CorePorts ports);
    ~ProgramCore() override;
    ProgramCore(const ProgramCore&) = delete;
    ProgramCore& operator=(const ProgramCore&) = delete;

    void setView(CoreView* view);
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

    // The timers' handlers.
    void TimerStatusTimer();
    void TimerIdotartamTimer();
    void TimerKoltsegekTimer();
    void TimerIkonTimer();
    void TimerUjHonapTimer();
    void TimerKapcsFrissitTimer() { m_connectionList.TimerKapcsFrissitTimer(); }
    void stopConnectionListTimer() { m_connectionList.stop(); }
    // The user chose a tab of the main window or of the settings pages.
    void mainTabChosen(MainTab tab);
    void settingsTabChosen(SettingsTab tab);
    // "Kapcsolat bontása": hangs up the active connection; the watch sees it go.
    void btnKapcsBontClick() { m_watch.hangUp(); }
    // The tray menu: offered only when no restore password is asked; "Állapot" brings the
    // window back; the applet items open the system's settings windows.
    bool trayMenuOffered() { return m_tray.menuOffered(); }
    void trayMenuAllapot() { bringWindowBack(); }
    void OpenControlPanelApplet(const std::string& applet);
    // The billing day chosen in comboTol (item 0 is day 1).
    void comboTolChange(int itemIndex);

    // The "Kedvezmény" group of the "Konfiguráció" page.
    DiscountSettings& discount() { return m_discount; }
    void loadDiscountGroup() { m_discount.load(); }
    void checkKedvClick(bool checked) { m_discount.checkKedvClick(checked); }
    void CheckJelezOraClick(bool checked) { m_discount.CheckJelezOraClick(checked); }
    void checkJelezClick(bool checked) { m_discount.checkJelezClick(checked); }
    void chbKedvHangClick(bool checked) { m_discount.chbKedvHangClick(checked); }
    std::string comboKedvKapcsChange(const std::string& connection) {
        return m_discount.comboKedvKapcsChange(connection);
    }
    std::string ComboKedvOraKapcsChange(const std::string& connection) {
        return m_discount.ComboKedvOraKapcsChange(connection);
    }
    bool edKedvChange(const std::string& connection, const std::string& text) {
        return m_discount.edKedvChange(connection, text);
    }
    void edKedvExit(const std::string& text) { m_discount.edKedvExit(text); }
    void SpinEdit1Change(const std::string& connection, int hours) {
        m_discount.SpinEdit1Change(connection, hours);
    }
    void playAllowanceSound() { m_discount.playAllowanceSound(); }

    bool connectionActive() const { return m_watch.active(); }
    // True once something could not be written or booked in this run (the command line's exit
    // status says so).
    bool hadFailures() const { return m_failures > 0; }
    // Sessions of this or earlier runs that are not yet wholly in the books.
    std::size_t pendingBookings() const;

    MainWindowState& state() { return m_state; }
    const MainWindowState& state() const { return m_state; }
    Timer& timer(TimerId id) const override;
    const std::vector<Timer*>& timers() const { return m_timers; }
    const CorePorts& ports() const { return m_ports; }

    // The settings tab each entry of the starting-tab list names ("Speciális II" is tab 5,
    // "Speciális 3" has no entry).
    static SettingsTab settingsTabOfStartingEntry(int entry);

    // CoreContext
    void changed(Aspects aspects) override;
    bool report(Notice kind, const std::string& text) override;
    void noteBadSetting(const std::string& name, const std::string& text,
                        const std::string& fallback) override;
    CoreView* settledView() override;

private:
    // SessionListener: the session's edges, each in the behaviour's order of steps.
    void sessionAppeared(const std::string& name) override;
    void sessionSettingUp() override;
    void sessionConnected(const DateTime& now) override;
    void sessionEnded() override;

    void createTimers();
    std::function<void()> timerWork(TimerId id);
    void firstStart();
    void TimerElsoInditasTimer();
    void changed() { changed(AllAspects); }
    void changed(Aspect aspect) { changed(static_cast<Aspects>(aspect)); }
    void tellView();
    // The window's visibility and whether its view shows the traffic live set the watch's pace.
    void setMainWindowVisible(bool visible);
    void updateTrafficPace();
    void enableSessionTimers();
    void costStepFailed();
    void alarm(const std::string& text);
    // The tray icon goes, the main window comes back to the foreground.
    void bringWindowBack();
    // Books the session that is ending (the disconnect edge, the close while connected).
    void closeSessionBooks();
    void bookPending();
    void reportBooking(const BookingOutcome& outcome);
    void reportConversion(const std::string& notice, const std::string& source, const std::string& text);
    void showDeferredNotices();

    CorePorts m_ports;
    CoreView* m_view = nullptr;
    MainWindowState m_state;
    ConnectionWatch m_watch;
    DurationCounter m_duration;
    ConnectionList m_connectionList;
    RunningCost m_cost;
    DiscountSettings m_discount;
    PeriodTotals m_totals;
    CompanionFigures m_companion;
    TrayStatus m_tray;
    std::unique_ptr<SessionBooks> m_books;
    std::vector<Timer*> m_timers;
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
