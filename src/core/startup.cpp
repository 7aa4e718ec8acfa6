#include "core/startup.h"

#include "platform/dialogs.h"
#include "platform/instance_lock.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace vonalor {

Startup::~Startup() = default;

int Startup::run(StartupFace& face) {
    const std::string firstStart = m_store.ReadSettingQuiet(setting::ElsoInditas);

    // The password comes before the instance check, so a second copy asks too.
    if (m_store.ReadSettingQuiet("JelszoIndulas") == "1" && !face.askStartPassword()) {
        m_outcome = Outcome::PasswordCancelled;
        return 0;
    }

    m_lock = m_makeLock();
    if (!m_lock || !m_lock->valid()) {
        // Running without knowing whether another copy runs would let two copies book at once.
        m_dialogs.plainError(std::string(LockFailedText) + (m_lock ? "\n" + m_lock->error() : std::string()));
        m_outcome = Outcome::LockFailed;
        return 1;
    }
    if (m_lock->alreadyExisted() && m_store.ReadSettingQuiet(setting::Ujraindit) == "0") {
        m_dialogs.plainError(SecondCopyText);
        m_outcome = Outcome::SecondCopyRefused;
        return 0;
    }

    face.createWindows();
    if (firstStart == "1")
        face.showFirstStartTip();
    m_outcome = Outcome::Ran;
    return face.runMessageLoop();
}

std::string storedPassword(const SettingsStore& store) {
    return store.ReadKeyValueQuiet(PasswordKey, "Jelszo");
}

bool passwordMatches(const SettingsStore& store, const std::string& entered) {
    return entered == storedPassword(store);
}

bool restartProgram(SettingsStore& store, const std::string& executable,
                    const std::vector<std::string>& arguments) {
    // The new copy passes the instance check only because this is written first.
    store.WriteSetting(setting::Ujraindit, "1");
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(executable.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    return ::posix_spawn(&pid, executable.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}

} // namespace vonalor
