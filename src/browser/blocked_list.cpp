#include "browser/blocked_list.h"

#include "platform/text_file.h"

namespace vonalor {

bool loadBlockedList(const std::filesystem::path& file, std::vector<std::string>& list) {
    std::vector<std::string> lines;
    if (!readAnsiLines(file, lines))
        return false;
    list.clear();
    for (std::string& line : lines) {
        if (!line.empty())
            list.push_back(std::move(line));
    }
    return true;
}

bool saveBlockedList(const std::filesystem::path& file, const std::vector<std::string>& list) {
    return writeAnsiLines(file, list);
}

} // namespace vonalor
