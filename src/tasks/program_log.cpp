#include "tasks/program_log.h"

#include "platform/clock.h"
#include "text/regional.h"

#include <algorithm>

namespace vonalor {

namespace {

std::filesystem::path identity(const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    return (ec ? file : absolute).lexically_normal();
}

} // namespace

void ProgramLog::AddProgramLogEntry(int icon, std::string text) {
    const DateTime now = m_clock.now();
    const Regional& regional = Regional::hungarian();
    ListRow row{regional.formatDate(now.date) + "-" + regional.formatTime(now.time), {std::move(text)}, icon};
    m_rows.push_back(std::move(row));
    if (m_onAdded)
        m_onAdded(m_rows.back());
}

bool ProgramLog::SaveProgramLog(const std::filesystem::path& file, Dialogs& dialogs) {
    ListRows thisRun = std::move(m_rows);
    m_rows.clear();
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(file, ec)))
        LoadListViewFile(m_rows, file, dialogs, *this);
    // A load error entry lands after the file's rows, before this run's: it is written too.
    m_rows.insert(m_rows.end(), std::make_move_iterator(thisRun.begin()),
                  std::make_move_iterator(thisRun.end()));
    if (m_rows.size() > MaxListViewCount) {
        // The newest entries, this run's errors among them, matter most: the oldest make room,
        // one row of which is the note saying so.
        const std::size_t dropped = m_rows.size() - (MaxListViewCount - 1);
        m_rows.erase(m_rows.begin(), m_rows.begin() + static_cast<std::ptrdiff_t>(dropped));
        AddProgramLogEntry(Event, "A programnapló megtelt: a " + std::to_string(dropped) +
                                      " legrégebbi bejegyzés törölve.");
    }
    return SaveListViewFile(m_rows, file, *this);
}

DateTime ProgramLog::now() const {
    return m_clock.now();
}

void ProgramLog::keepListFileUntouched(const std::filesystem::path& file) {
    if (!isListFileKeptUntouched(file))
        m_untouchable.push_back(identity(file));
}

bool ProgramLog::isListFileKeptUntouched(const std::filesystem::path& file) const {
    return std::find(m_untouchable.begin(), m_untouchable.end(), identity(file)) != m_untouchable.end();
}

} // namespace vonalor
