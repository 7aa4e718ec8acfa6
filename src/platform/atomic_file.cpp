#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vonalor {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes, std::string* error) {
    auto fail = [&](const char* what) {
        if (error)
            *error = file.string() + ": " + what + ": " + std::strerror(errno);
        return false;
    };
    std::string temp = file.string() + ".tmpXXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return fail("cannot create");
    // Keep the permissions an existing file had; a new one is the user's alone (the books,
    // the user name and the passwords are written through here).
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    else
        ::fchmod(fd, 0600);
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int saved = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        errno = saved;
        return fail("cannot write");
    }
    if (::close(fd) != 0 || ::rename(temp.c_str(), file.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return fail("cannot replace");
    }
    syncFolder(file.parent_path());
    return true;
}

void removeStaleTemporaryFiles(const std::filesystem::path& folder) {
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = item.path().filename().string();
        // The pattern writeFileAtomically uses: the file's name, ".tmp" and six characters.
        const std::size_t mark = name.rfind(".tmp");
        if (mark != std::string::npos && mark > 0 && name.size() == mark + 10 && item.is_regular_file(ec))
            std::filesystem::remove(item.path(), ec);
    }
}

bool readWholeFile(const std::filesystem::path& file, std::string& bytes) {
    // A folder opens like a file but fails (and throws) on the first read.
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec))
        return false;
    try {
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    } catch (const std::ios_base::failure&) {
        return false;
    }
}

} // namespace vonalor
