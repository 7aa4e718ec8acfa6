#pragma once

#include "platform/ras.h"

#include <filesystem>
#include <string>

namespace vonalor {

// The simulator's remote-access service. Its phonebook and devices come from a small text
// file in the data home, read anew on every call, so entries can be added while the
// program runs:
//
//   # comment
//   entry Otthon
//   device modem Standard 56000 bps Modem
//
// A missing file is created with two entries and one modem.
class SimRas final : public Ras {
public:
    explicit SimRas(std::filesystem::path phonebookFile);

    std::vector<std::string> entries() override;
    std::vector<RasDevice> devices() override;

    static constexpr const char* FileName = "sim-phonebook.txt";

private:
    void read(std::vector<std::string>* entries, std::vector<RasDevice>* devices);
    std::filesystem::path m_file;
};

} // namespace vonalor
