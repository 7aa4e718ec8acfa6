#include "platform/text_file.h"

#include "platform/atomic_file.h"
#include "text/cp1250.h"

namespace vonalor {

bool writeAnsiLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return writeFileAtomically(file, toCp1250(text));
}

bool readAnsiLines(const std::filesystem::path& file, std::vector<std::string>& lines) {
    std::string bytes;
    if (!readWholeFile(file, bytes))
        return false;
    lines = splitLines(decodeFileText(bytes));
    return true;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace vonalor
