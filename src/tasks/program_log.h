#pragma once

#include "tasks/list_view_file.h"
#include "text/date_time.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vonalor {

class Clock;
class Dialogs;

// The time-stamped list of this run's events and errors, merged into its file at close.
class ProgramLog {
public:
    static constexpr int Error = 9;
    static constexpr int Event = 10;

    explicit ProgramLog(const Clock& clock) : m_clock(clock) {}

    // Appends "date-time", text, icon; never merges repeated entries.
    void AddProgramLogEntry(int icon, std::string text);
    // Appends this run's entries after the file's ones and writes the file; when the file's
    // row count is full the oldest rows make room (logged). False when the file was not written.
    bool SaveProgramLog(const std::filesystem::path& file, Dialogs& dialogs);

    const ListRows& entries() const { return m_rows; }
    // Called after each new entry (the settings page shows them live).
    void setOnAdded(std::function<void(const ListRow&)> onAdded) { m_onAdded = std::move(onAdded); }

    DateTime now() const;

    // List files of this run that could not be read and could not be set aside either: no save
    // of the run may replace them.
    void keepListFileUntouched(const std::filesystem::path& file);
    bool isListFileKeptUntouched(const std::filesystem::path& file) const;

private:
    const Clock& m_clock;
    ListRows m_rows;
    std::function<void(const ListRow&)> m_onAdded;
    std::vector<std::filesystem::path> m_untouchable;
};

} // namespace vonalor
