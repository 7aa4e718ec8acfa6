#include "platform/linux/linux_platform.h"

namespace vonalor {

LinuxPlatform::LinuxPlatform(std::filesystem::path home, std::unique_ptr<Registry> registry,
                             std::string programFolder)
    : Platform(PlatformKind::Linux, home, std::move(registry), programFolder),
      m_xdgAutostart(XdgAutostart::defaultConfigHome(), programFolder, home) {
    bind(&m_systemClock, m_pppRas, m_xdgAutostart, m_linuxSystem, m_linuxNet, m_xdgShell, m_memoryBrowser);
}

LinuxPlatform::~LinuxPlatform() = default;

} // namespace vonalor
