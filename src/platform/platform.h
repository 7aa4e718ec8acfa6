#pragma once

#include "core/program_core.h"
#include "platform/registry.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vonalor {

class Browser;
class Dialogs;
class Sound;
class TimerService;

enum class PlatformKind { Sim, Linux };

// The ports one platform binds: the simulator's or the Linux system's. A platform object owns
// its ports; the timers, the sound and the dialogs may be taken instead from the window system
// or the terminal by the composition root (use...), before the ports are handed out.
class Platform {
public:
    virtual ~Platform();
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    PlatformKind kind() const { return m_kind; }
    const std::filesystem::path& home() const { return m_home; }
    const std::string& programFolder() const { return m_programFolder; }

    Clock& clock() const { return *m_clock; }
    Registry& registry() const { return *m_registry; }
    Ras& ras() const { return *m_ras; }
    Autostart& autostart() const { return *m_autostart; }
    SystemInfo& system() const { return *m_system; }
    Net& net() const { return *m_net; }
    Shell& shell() const { return *m_shell; }
    Browser& browser() const { return *m_browser; }

    void useTimers(TimerService& timers) { m_timers = &timers; }
    void useSound(Sound& sound) { m_sound = &sound; }
    void useDialogs(Dialogs& dialogs) { m_dialogs = &dialogs; }

    // Every port for the program core; the settings and the log are the core's own. Throws
    // std::logic_error when the timers, the sound or the dialogs are still unbound.
    CorePorts ports(SettingsStore& store, ProgramLog& log) const;

protected:
    // With a registry of its own, or one it borrows (a test's, a copy's).
    Platform(PlatformKind kind, std::filesystem::path home, std::unique_ptr<Registry> registry,
             std::string programFolder);
    Platform(PlatformKind kind, std::filesystem::path home, Registry& registry, std::string programFolder);

    // The ports every platform has of its own, bound by the derived platform's constructor.
    void bind(Clock* clock, Ras& ras, Autostart& autostart, SystemInfo& system, Net& net, Shell& shell,
              Browser& browser);

    // Where the platform has its own (the simulator's recorded sound, scripted dialogs, virtual timers).
    TimerService* m_timers = nullptr;
    Sound* m_sound = nullptr;
    Dialogs* m_dialogs = nullptr;

private:
    Clock* m_clock = nullptr;
    Ras* m_ras = nullptr;
    Autostart* m_autostart = nullptr;
    SystemInfo* m_system = nullptr;
    Net* m_net = nullptr;
    Shell* m_shell = nullptr;
    Browser* m_browser = nullptr;
    PlatformKind m_kind;
    std::filesystem::path m_home;
    std::unique_ptr<Registry> m_ownRegistry;
    Registry* m_registry;
    std::string m_programFolder;
};

} // namespace vonalor
