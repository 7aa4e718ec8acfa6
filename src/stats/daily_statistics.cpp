#include "stats/daily_statistics.h"

#include "platform/text_file.h"
#include "text/regional.h"

#include <vector>

namespace vonalor {

std::filesystem::path dailyStatisticsFile(const std::filesystem::path& home, const std::string& connection) {
    return home / (connection + "Diagram.ini");
}

bool CreateDailyStatistics(const std::filesystem::path& home, const std::string& connection, const Date& today) {
    const Regional& regional = Regional::hungarian();
    std::vector<std::string> lines;
    lines.reserve(1001);
    for (int i = 0; i <= 1000; ++i)
        lines.push_back(regional.formatDate(addDays(today, i)) + "-[0](0){0}");
    return writeAnsiLines(dailyStatisticsFile(home, connection), lines);
}

} // namespace vonalor
