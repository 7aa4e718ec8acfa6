#include "core/program_core.h"

#include "core/data_home.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"

namespace vonalor {

ProgramCore::ProgramCore(std::filesystem::path home, Clock& clock, TimerService& timers, SettingsStore& store,
                         ProgramLog& log, Dialogs& dialogs)
    : m_home(std::move(home)), m_clock(clock), m_timers(timers), m_store(store), m_log(log), m_dialogs(dialogs) {}

void ProgramCore::FormCreate() {
    m_log.AddProgramLogEntry(ProgramLog::Event, StartEntryText);
    // A restart in progress is over once this copy has passed its instance check.
    m_store.WriteSetting("Ujraindit", "0");
    const std::filesystem::path tasks = m_home / TaskListFileName;
    std::error_code ec;
    if (std::filesystem::exists(tasks, ec))
        LoadListViewFile(m_taskList, tasks, m_dialogs, m_log);
}

void ProgramCore::FormClose() {
    if (m_closed)
        return; // a signal and the window's own close may both arrive
    m_closed = true;
    SaveListViewFile(m_taskList, m_home / TaskListFileName, m_log);
    m_log.SaveProgramLog(m_home / ProgramLogFileName, m_dialogs);
}

} // namespace vonalor
