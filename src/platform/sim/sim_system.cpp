#include "platform/sim/sim_system.h"

namespace vonalor {

bool SimAutostart::add() {
    std::string data = m_programFolder;
    if (!data.empty() && data.back() != '/' && data.back() != '\\')
        data += '/';
    return m_registry.write(RegistryRoot::LocalMachine, RunKey, "Vonalor", data + "Vonalor.exe");
}

bool SimAutostart::remove() {
    return m_registry.remove(RegistryRoot::LocalMachine, RunKey, "Vonalor");
}

std::optional<std::string> SimAutostart::entry() {
    auto result = m_registry.read(RegistryRoot::LocalMachine, RunKey, "Vonalor");
    if (result.status != Registry::Status::Found)
        return std::nullopt;
    return std::move(result.text);
}

} // namespace vonalor
