#pragma once

#include "platform/browser.h"
#include "platform/linux/linux_system.h"
#include "platform/linux/system_clock.h"
#include "platform/platform.h"

namespace vonalor {

// The Linux system: pppd's peers and links, the XDG autostart entry and opener, the kernel's
// uptime and the machine's clock. The timers, the sound and the dialogs belong to the window
// system or the terminal and are chosen by the composition root.
class LinuxPlatform final : public Platform {
public:
    LinuxPlatform(std::filesystem::path home, std::unique_ptr<Registry> registry, std::string programFolder);
    ~LinuxPlatform() override;

private:
    SystemClock m_systemClock;
    PppRas m_pppRas;
    XdgAutostart m_xdgAutostart;
    LinuxSystemInfo m_linuxSystem;
    LinuxNet m_linuxNet;
    XdgShell m_xdgShell;
    MemoryBrowser m_memoryBrowser; // no Linux browser offers its cache to other programs
};

} // namespace vonalor
