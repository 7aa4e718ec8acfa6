#pragma once

#include "platform/instance_lock.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vonalor {

class Dialogs;
class SettingsStore;

// What start-up needs from the face that runs it (the desktop windows, or a test).
class StartupFace {
public:
    virtual ~StartupFace() = default;
    // The modal start-up password prompt; false when the user cancelled it.
    virtual bool askStartPassword() = 0;
    // Creates every window in its fixed order, the main window first.
    virtual void createWindows() = 0;
    virtual void showFirstStartTip() = 0;
    // Runs until the main window has closed; returns the exit code.
    virtual int runMessageLoop() = 0;
};

// The program's entry sequence: first-start marker, optional password, single instance,
// windows, first-start tip, message loop. Returns the process exit code.
class Startup {
public:
    Startup(SettingsStore& store, Dialogs& dialogs, std::function<std::unique_ptr<InstanceLock>()> makeLock)
        : m_store(store), m_dialogs(dialogs), m_makeLock(std::move(makeLock)) {}
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    int run(StartupFace& face);

    enum class Outcome { NotRun, PasswordCancelled, SecondCopyRefused, LockFailed, Ran };
    Outcome outcome() const { return m_outcome; }

private:
    SettingsStore& m_store;
    Dialogs& m_dialogs;
    std::function<std::unique_ptr<InstanceLock>()> m_makeLock;
    std::unique_ptr<InstanceLock> m_lock; // held until the process ends
    Outcome m_outcome = Outcome::NotRun;
};

inline constexpr const char* SecondCopyText = "Az alkalmazás már fut egy példányban!";
// Shown, followed by the reason, when the single-instance lock cannot be taken at all.
inline constexpr const char* LockFailedText =
    "Az alkalmazás nem tudja megállapítani, hogy fut-e már egy példányban, ezért nem indul el.";

// The stored access password (empty when none was set) and the start prompt's check.
std::string storedPassword(const SettingsStore& store);
bool passwordMatches(const SettingsStore& store, const std::string& entered);

// Restart: Ujraindit = "1", then the same executable with the same arguments is started.
// The caller ends its own process when this returns true.
bool restartProgram(SettingsStore& store, const std::string& executable,
                    const std::vector<std::string>& arguments);

} // namespace vonalor
