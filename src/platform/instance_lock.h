#pragma once

#include <filesystem>
#include <string>

namespace vonalor {

// The single-instance guard, held for the life of the process. Every running copy holds a
// shared lock; a new copy learns that another one runs when it cannot take the lock
// exclusively. Two locks are taken: the lock file in the data home (which copies of earlier
// builds know) and the data home folder itself, which cannot be deleted or replaced from under
// a running copy as the file can.
class InstanceLock {
public:
    enum class State { First, Held, Failed };

    // `file` is the lock file; the folder that holds it is the data home.
    explicit InstanceLock(const std::filesystem::path& file);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return m_state; }
    // True when another copy held the lock when this one was created.
    bool alreadyExisted() const { return m_state == State::Held; }
    // False when the lock could not be taken for another reason than another copy holding it;
    // error() then tells why. Such a copy must not run: it could not tell whether it is alone.
    bool valid() const { return m_state != State::Failed; }
    const std::string& error() const { return m_error; }

private:
    enum class Take { Free, Held, Failed };
    Take take(int fd);
    void fail(const std::filesystem::path& what, int error);

    int m_fileFd = -1;
    int m_folderFd = -1;
    State m_state = State::Failed;
    std::string m_error;
};

} // namespace vonalor
