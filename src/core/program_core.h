#pragma once

#include "tasks/list_view_file.h"

#include <filesystem>

namespace vonalor {

class Clock;
class Dialogs;
class ProgramLog;
class SettingsStore;
class TimerService;

// The main window's state and handlers without any widget: the desktop window renders it,
// the command line and the tests drive it directly.
class ProgramCore {
public:
    ProgramCore(std::filesystem::path home, Clock& clock, TimerService& timers, SettingsStore& store, ProgramLog& log,
                Dialogs& dialogs);

    void FormCreate();
    void FormClose();

    const std::filesystem::path& home() const { return m_home; }
    ListRows& taskList() { return m_taskList; }
    ProgramLog& programLog() { return m_log; }
    SettingsStore& store() { return m_store; }
    Dialogs& dialogs() { return m_dialogs; }

private:
    std::filesystem::path m_home;
    Clock& m_clock;
    TimerService& m_timers;
    SettingsStore& m_store;
    ProgramLog& m_log;
    Dialogs& m_dialogs;
    ListRows m_taskList;
    bool m_closed = false;
};

inline constexpr const char* StartEntryText = "Vonalor 1.3 elindítva!";

} // namespace vonalor
