#include "platform/instance_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vonalor {

namespace {

int lockRetrying(int fd, int operation) {
    int result = 0;
    while ((result = ::flock(fd, operation)) != 0 && errno == EINTR) {
    }
    return result;
}

} // namespace

InstanceLock::Take InstanceLock::take(int fd) {
    Take result = Take::Free;
    if (lockRetrying(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK)
            return Take::Failed;
        result = Take::Held;
    }
    // Keep only a shared hold, as every other copy does, so that the next one sees it.
    return lockRetrying(fd, LOCK_SH) == 0 ? result : Take::Failed;
}

void InstanceLock::fail(const std::filesystem::path& what, int error) {
    m_state = State::Failed;
    m_error = what.string() + ": cannot take the single-instance lock: " + std::strerror(error);
}

InstanceLock::InstanceLock(const std::filesystem::path& file) {
    const std::filesystem::path folder =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    m_folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folderFd < 0) {
        fail(folder, errno);
        return;
    }
    m_fileFd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fileFd < 0) {
        fail(file, errno);
        return;
    }
    const Take onFolder = take(m_folderFd);
    if (onFolder == Take::Failed) {
        fail(folder, errno);
        return;
    }
    const Take onFile = take(m_fileFd);
    if (onFile == Take::Failed) {
        fail(file, errno);
        return;
    }
    m_state = onFolder == Take::Free && onFile == Take::Free ? State::First : State::Held;
}

InstanceLock::~InstanceLock() {
    for (int fd : {m_fileFd, m_folderFd}) {
        if (fd >= 0)
            ::close(fd);
    }
}

} // namespace vonalor
