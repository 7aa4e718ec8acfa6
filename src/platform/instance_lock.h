#pragma once

#include <filesystem>

namespace vonalor {

// The single-instance guard: a lock file in the data home, held for the life of the process.
// Every running copy holds a shared lock; a new copy learns that another one runs when it
// cannot take the lock exclusively, which is all the guard needs to know.
class InstanceLock {
public:
    explicit InstanceLock(const std::filesystem::path& file);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another copy held the lock when this one was created.
    bool alreadyExisted() const { return m_existed; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd = -1;
    bool m_existed = false;
};

} // namespace vonalor
