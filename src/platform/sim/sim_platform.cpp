#include "platform/sim/sim_platform.h"

#include <stdexcept>

namespace vonalor {

namespace {

const Clock& present(const std::unique_ptr<Clock>& clock) {
    if (!clock)
        throw std::invalid_argument("the simulator needs a clock");
    return *clock;
}

} // namespace

SimPlatform::SimPlatform(std::filesystem::path home, Registry& registry, VirtualTime& time,
                         std::string programFolder)
    : Platform(PlatformKind::Sim, home, registry, programFolder), m_simRas(home / SimRas::FileName, time),
      m_simAutostart(registry, programFolder) {
    m_timers = &time;
    bindPorts(&time);
}

SimPlatform::SimPlatform(std::filesystem::path home, std::unique_ptr<Registry> registry,
                         std::unique_ptr<Clock> clock, std::string programFolder)
    : Platform(PlatformKind::Sim, home, std::move(registry), programFolder), m_realClock(std::move(clock)),
      m_simRas(home / SimRas::FileName, present(m_realClock)),
      m_simAutostart(Platform::registry(), programFolder) {
    bindPorts(m_realClock.get()); // its timers are the composition root's
}

SimPlatform::~SimPlatform() = default;

void SimPlatform::bindPorts(Clock* clock) {
    bind(clock, m_simRas, m_simAutostart, m_simSystem, m_simNet, m_recordingShell, m_memoryBrowser);
    m_sound = &m_recordingSound;
    m_dialogs = &m_scriptedDialogs;
}

} // namespace vonalor
