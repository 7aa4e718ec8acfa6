#pragma once

#include <filesystem>
#include <string>

namespace vonalor {

// A fresh folder of this user's alone in the temporary folder, removed with everything in it
// when the object goes. Its path is empty when none could be made.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace vonalor
