#include "tasks/program_log.h"

#include "platform/clock.h"
#include "text/regional.h"

namespace vonalor {

void ProgramLog::AddProgramLogEntry(int icon, std::string text) {
    const DateTime now = m_clock.now();
    const Regional& regional = Regional::hungarian();
    ListRow row{regional.formatDate(now.date) + "-" + regional.formatTime(now.time), {std::move(text)}, icon};
    m_rows.push_back(std::move(row));
    if (m_onAdded)
        m_onAdded(m_rows.back());
}

void ProgramLog::SaveProgramLog(const std::filesystem::path& file, Dialogs& dialogs) {
    ListRows thisRun = std::move(m_rows);
    m_rows.clear();
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        LoadListViewFile(m_rows, file, dialogs, *this);
    // A load error entry lands after the file's rows, before this run's: it is written too.
    m_rows.insert(m_rows.end(), thisRun.begin(), thisRun.end());
    SaveListViewFile(m_rows, file, *this);
}

} // namespace vonalor
