#include "platform/platform.h"

#include <stdexcept>

namespace vonalor {

Platform::Platform(PlatformKind kind, std::filesystem::path home, std::unique_ptr<Registry> registry,
                   std::string programFolder)
    : m_kind(kind), m_home(std::move(home)), m_ownRegistry(std::move(registry)),
      m_registry(m_ownRegistry.get()), m_programFolder(std::move(programFolder)) {
    if (!m_registry)
        throw std::invalid_argument("a platform needs an open registry");
}

Platform::Platform(PlatformKind kind, std::filesystem::path home, Registry& registry,
                   std::string programFolder)
    : m_kind(kind), m_home(std::move(home)), m_registry(&registry),
      m_programFolder(std::move(programFolder)) {}

Platform::~Platform() = default;

void Platform::bind(Clock* clock, Ras& ras, Autostart& autostart, SystemInfo& system, Net& net, Shell& shell,
                    Browser& browser) {
    m_clock = clock;
    m_ras = &ras;
    m_autostart = &autostart;
    m_system = &system;
    m_net = &net;
    m_shell = &shell;
    m_browser = &browser;
}

CorePorts Platform::ports(SettingsStore& store, ProgramLog& log) const {
    // A forgotten choice is a fault of the composition, found at the first start.
    if (!m_clock || !m_timers || !m_ras || !m_autostart || !m_system || !m_net || !m_shell || !m_sound ||
        !m_dialogs || !m_browser)
        throw std::logic_error("a port of the platform is unbound");
    return CorePorts{
        .home = m_home,
        .programFolder = m_programFolder,
        .clock = *m_clock,
        .timers = *m_timers,
        .store = store,
        .log = log,
        .dialogs = *m_dialogs,
        .sound = *m_sound,
        .ras = *m_ras,
        .autostart = *m_autostart,
        .system = *m_system,
        .net = *m_net,
        .shell = *m_shell,
        .browser = *m_browser,
    };
}

} // namespace vonalor
