#include "platform/sim/sim_ras.h"

#include "platform/atomic_file.h"

#include <sstream>

namespace vonalor {

namespace {

const char* const defaultPhonebook = "# Vonalor simulator phonebook: one item per line, in the system's order.\n"
                                     "#   entry NAME          a phonebook entry\n"
                                     "#   device TYPE NAME    a device (TYPE: modem, isdn, vpn, ...)\n"
                                     "entry Otthon\n"
                                     "entry Munkahely\n"
                                     "device modem Standard 56000 bps Modem\n";

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    return text.substr(start);
}

} // namespace

SimRas::SimRas(std::filesystem::path phonebookFile) : m_file(std::move(phonebookFile)) {
    std::error_code ec;
    if (!std::filesystem::exists(m_file, ec))
        writeFileAtomically(m_file, defaultPhonebook);
}

std::vector<std::string> SimRas::entries() {
    std::vector<std::string> result;
    read(&result, nullptr);
    return result;
}

std::vector<RasDevice> SimRas::devices() {
    std::vector<RasDevice> result;
    read(nullptr, &result);
    return result;
}

void SimRas::read(std::vector<std::string>* entries, std::vector<RasDevice>* devices) {
    std::string bytes;
    if (!readWholeFile(m_file, bytes))
        return;
    std::istringstream lines(bytes);
    std::string line;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t space = line.find(' ');
        const std::string word = line.substr(0, space);
        const std::string rest = space == std::string::npos ? std::string() : trimmed(line.substr(space + 1));
        if (word == "entry" && entries && !rest.empty()) {
            entries->push_back(rest);
        } else if (word == "device" && devices) {
            const std::size_t gap = rest.find(' ');
            if (gap != std::string::npos)
                devices->push_back({trimmed(rest.substr(gap + 1)), rest.substr(0, gap)});
        }
    }
}

} // namespace vonalor
