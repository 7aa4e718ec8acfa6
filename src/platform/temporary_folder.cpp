#include "platform/temporary_folder.h"

#include <cstdlib>

namespace vonalor {

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        return;
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()))
        m_path = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ec;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ec);
}

} // namespace vonalor
