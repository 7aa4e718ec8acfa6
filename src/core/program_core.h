#pragma once

#include "tasks/list_view_file.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vonalor {

class Autostart;
class Clock;
class Dialogs;
class ProgramLog;
class Ras;
class SettingsStore;
class Sound;
class SystemInfo;
class Timer;
class TimerService;
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
};

// What the core asks of the window that shows it. Every call comes after the core's state
// has settled, so the view only renders.
class CoreView {
public:
    virtual ~CoreView() = default;
    virtual void stateChanged() {}
    virtual void showMainWindow() {}
    virtual void hideMainWindow() {}
    virtual void showHintBubble(const std::string& /*text*/) {}
    virtual void closeHintBubble() {}
    virtual void closeCompanion() {}
    // The restore prompt; true when the right password was given.
    virtual bool askRestorePassword() { return true; }
};

// The texts and flags the main window shows. Texts stay texts where later steps read them back.
struct MainWindowState {
    std::string lbKapcsAllap = "Nincs Kapcsolat"; // connection state; "Nincs Kapcsolat" means none
    std::string lbKapcsNeve = "   -  ";           // active connection's name
    std::string runningCost = "0";
    std::string tariffName;
    std::string lbEltelIdo = "00:00:00"; // download elapsed time
    std::string lbKezdDat;               // billing period shown on the cost page
    std::string lbVegDat;
    std::string tariffGroupCaption;
    std::string costGroupCaption;
    std::string trayHint = "Nincs aktív kapcsolat";
    bool trayVisible = false;
    bool mainWindowVisible = false;
    bool taskbarButtonVisible = true;
    bool firstShowMark = false;
    bool helpMode = false;
    bool restorePasswordMark = false;
    bool diagramButtonEnabled = true;
    bool rdbtnJelenChecked = false; // companion shows the current session
    bool rdbtnOsszChecked = false;  // companion shows the totals
    int mainTab = 0;                // index into the eight main tabs
    int settingsTab = 0;            // index into the nine settings tabs
    std::vector<std::string> phonebook;       // lbKapcsolatok and every connection chooser
    std::vector<std::string> knownEntries;    // what the connection list timer compares against
    std::vector<RasDevice> devices;           // the device chooser of the connections page
    std::vector<std::string> webAddresses;    // the web hotkey's address chooser
    int webAddressIndex = 0;
    int dialHotkeyLetter = 0;
    int dialHotkeyEntry = 0;
    int showHotkeyLetter = 0;
    int hangUpHotkeyLetter = 0;
    int webHotkeyLetter = 0;
    std::vector<std::string> blockedList;
    ListRows taskList;
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

    bool connectionActive() const { return m_state.lbKapcsAllap != "Nincs Kapcsolat"; }

    MainWindowState& state() { return m_state; }
    const MainWindowState& state() const { return m_state; }
    Timer& timer(const std::string& name) const;
    const std::vector<Timer*>& timers() const { return m_timers; }
    const CorePorts& ports() const { return m_ports; }

    // The settings tab each entry of the starting-tab list names ("Speciális II" is tab 5,
    // "Speciális 3" has no entry).
    static int settingsTabOfStartingEntry(int entry);

private:
    void createTimers();
    void firstStart();
    void TimerElsoInditasTimer();
    void changed();

    CorePorts m_ports;
    CoreView* m_view = nullptr;
    MainWindowState m_state;
    std::vector<Timer*> m_timers;
    bool m_closed = false;
};

inline constexpr const char* StartEntryText = "Vonalor 1.3 elindítva!";

} // namespace vonalor
