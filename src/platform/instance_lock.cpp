#include "platform/instance_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vonalor {

InstanceLock::InstanceLock(const std::filesystem::path& file) {
    m_fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0)
        return;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        ::flock(m_fd, LOCK_SH); // first copy: keep only a shared hold, as the others do
        return;
    }
    m_existed = errno == EWOULDBLOCK;
    while (::flock(m_fd, LOCK_SH) != 0 && errno == EINTR) {
    }
}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace vonalor
