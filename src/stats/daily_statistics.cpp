#include "stats/daily_statistics.h"

#include "platform/text_file.h"
#include "stats/books_file.h"
#include "text/conversion_error.h"
#include "text/regional.h"

#include <vector>

namespace vonalor {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t findIgnoringCase(std::string_view text, std::string_view word, std::size_t from) {
    if (word.empty() || word.size() > text.size())
        return std::string_view::npos;
    for (std::size_t i = from; i + word.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < word.size() && lowerAscii(text[i + k]) == lowerAscii(word[k]))
            ++k;
        if (k == word.size())
            return i;
    }
    return std::string_view::npos;
}

// Every occurrence, letter case ignored. A whole new string is built, so a shorter
// replacement leaves nothing of the longer old text behind.
std::string replaceIgnoringCase(const std::string& text, std::string_view oldText, std::string_view newText) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = findIgnoringCase(text, oldText, 0); at != std::string_view::npos;
         at = findIgnoringCase(text, oldText, start)) {
        out.append(text, start, at - start);
        out += newText;
        start = at + oldText.size();
    }
    out.append(text, start);
    return out;
}

} // namespace

std::filesystem::path dailyStatisticsFile(const std::filesystem::path& home, const std::string& connection) {
    return home / (connection + "Diagram.ini");
}

bool CreateDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                           const Date& today) {
    const Regional& regional = Regional::hungarian();
    std::vector<std::string> lines;
    lines.reserve(1001);
    for (int i = 0; i <= 1000; ++i)
        lines.push_back(regional.formatDate(addDays(today, i)) + "-[0](0){0}");
    return writeAnsiLines(dailyStatisticsFile(home, connection), lines);
}

bool ensureDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                           const Date& today) {
    std::error_code ec;
    if (std::filesystem::symlink_status(dailyStatisticsFile(home, connection), ec).type() !=
        std::filesystem::file_type::not_found)
        return true;
    return CreateDailyStatistics(home, connection, today);
}

std::optional<std::string> bracketValue(std::string_view line, char open, char close) {
    const std::size_t from = line.rfind(open);
    const std::size_t to = line.rfind(close);
    if (from == std::string_view::npos || to == std::string_view::npos || to < from)
        return std::nullopt;
    return std::string(line.substr(from + 1, to - from - 1));
}

std::optional<DailyLine> parseDailyLine(std::string_view line) {
    if (line.size() < 11)
        return std::nullopt;
    const auto date = Regional::hungarian().parseDate(line.substr(0, 11));
    auto cost = bracketValue(line, '[', ']');
    auto minutes = bracketValue(line, '(', ')');
    auto megabytes = bracketValue(line, '{', '}');
    if (!date || !cost || !minutes || !megabytes)
        return std::nullopt;
    return DailyLine{std::string(line.substr(0, 11)), *date, std::move(*cost), std::move(*minutes),
                     std::move(*megabytes)};
}

DailyEdit planDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                              std::string_view costText, std::string_view minutesText,
                              std::string_view megabytesText, const Date& day) {
    const Regional& regional = Regional::hungarian();
    const std::filesystem::path file = dailyStatisticsFile(home, connection);
    // Only a file the user deleted is prepared again; one that exists but cannot be read is
    // left alone rather than overwritten with zeros.
    std::vector<std::string> lines;
    BooksFileRead read = readBooksLines(file, lines);
    if (read == BooksFileRead::Missing) {
        if (!CreateDailyStatistics(home, connection, day))
            return {DailyUpdate::NotWritten, {}, {}};
        read = readBooksLines(file, lines);
    }
    if (read != BooksFileRead::Read)
        return {DailyUpdate::NotWritten, {}, {}};

    const std::string dayText = regional.formatDate(day);
    const std::string* oldLine = nullptr;
    for (const std::string& line : lines) {
        if (line.compare(0, 11, dayText) == 0 && line.size() >= 11)
            oldLine = &line;
    }
    if (!oldLine)
        return {DailyUpdate::NoLineForToday, {}, {}};

    // A missing bracket reads as an empty value, which is not a number either.
    auto value = [&](char open, char close) {
        const std::string text = bracketValue(*oldLine, open, close).value_or(std::string());
        try {
            return regional.toFloat(text);
        } catch (const ConversionError& e) {
            throw ConversionError(e.what(), file.filename().string() + ": " + *oldLine, text);
        }
    };
    const long double cost = regional.toFloat(costText) + value('[', ']');
    const long double minutes = regional.toFloat(minutesText) + value('(', ')');
    const long double megabytes = regional.toFloat(megabytesText) + value('{', '}');
    return {DailyUpdate::Recorded, *oldLine,
            dayText + "-[" + regional.formatFloat(cost) + "](" + regional.formatFloat(minutes) + "){" +
                regional.formatFloat(megabytes) + "}"};
}

DailyUpdate applyDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                                 const DailyEdit& edit) {
    if (edit.outcome != DailyUpdate::Recorded)
        return edit.outcome;
    const std::filesystem::path file = dailyStatisticsFile(home, connection);
    std::vector<std::string> lines;
    if (readBooksLines(file, lines) != BooksFileRead::Read)
        return DailyUpdate::NotWritten;
    const std::string day = edit.newLine.substr(0, 11);
    const std::string* current = nullptr;
    for (const std::string& line : lines) {
        if (line.compare(0, 11, day) == 0)
            current = &line;
    }
    if (current && *current == edit.newLine)
        return DailyUpdate::Recorded; // written before
    if (!current || *current != edit.oldLine)
        return DailyUpdate::Stale;
    const std::string oldText = edit.oldLine;
    for (std::string& line : lines)
        line = replaceIgnoringCase(line, oldText, edit.newLine);
    return writeAnsiLines(file, lines) ? DailyUpdate::Recorded : DailyUpdate::NotWritten;
}

DailyUpdate AddDailyStatistics(const std::filesystem::path& home, const std::string& connection,
                               std::string_view costText, std::string_view minutesText,
                               std::string_view megabytesText, const Date& today) {
    return applyDailyStatistics(
        home, connection, planDailyStatistics(home, connection, costText, minutesText, megabytesText, today));
}

} // namespace vonalor
