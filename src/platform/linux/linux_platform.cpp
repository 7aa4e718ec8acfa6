#include "platform/linux/linux_platform.h"

namespace vonalor {

LinuxPlatform::LinuxPlatform(std::filesystem::path home, std::unique_ptr<Registry> registry,
                             std::string programFolder)
    : Platform(PlatformKind::Linux, home, std::move(registry), programFolder),
      m_xdgAutostart(XdgAutostart::defaultConfigHome(), programFolder, home) {
    m_clock = &m_systemClock;
    m_ras = &m_pppRas;
    m_autostart = &m_xdgAutostart;
    m_system = &m_linuxSystem;
    m_net = &m_linuxNet;
    m_shell = &m_xdgShell;
    m_browser = &m_memoryBrowser;
}

LinuxPlatform::~LinuxPlatform() = default;

} // namespace vonalor
