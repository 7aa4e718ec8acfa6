#pragma once

#include "platform/registry.h"

#include <functional>
#include <string>
#include <string_view>

namespace vonalor {

class ProgramLog;

inline constexpr std::string_view ProgramKey = "SOFTWARE\\Vonalor";
inline constexpr std::string_view AutoDialKey = "SOFTWARE\\Microsoft\\RAS AutoDial\\Default";
inline constexpr std::string_view PasswordKey = "SOFTWARE\\Microsoft\\Ertek";

// Every setting and connection record is a text value of the program key. Nothing is kept
// here: each call goes to the registry, so a write is seen by the very next read anywhere.
class SettingsStore {
public:
    SettingsStore(Registry& registry, ProgramLog& log) : m_registry(registry), m_log(log) {}

    // The active connection's name (the main window's connection-name field): a missing value
    // of that name is not reported, as the band tariff read before a band is chosen uses it.
    void setActiveConnectionName(std::function<std::string()> provider) { m_activeName = std::move(provider); }

    // Missing value: empty text and the program log error "Registry olvasási hiba(S: name)!".
    std::string ReadSetting(std::string_view name);
    // Missing value: empty text, nothing reported.
    std::string ReadSettingQuiet(std::string_view name) const;
    void WriteSetting(std::string_view name, std::string_view text);

    std::string ReadAutoDialSetting(std::string_view name);
    void WriteAutoDialSetting(std::string_view name, std::string_view text);

    // A read of another local-machine key that reports a missing value as
    // "Registry olvasási hiba(" + tag + name + ")!" (tag "J: " for the password).
    std::string ReadKeyValue(std::string_view key, std::string_view name, std::string_view tag);
    std::string ReadKeyValueQuiet(std::string_view key, std::string_view name) const;
    void WriteKeyValue(std::string_view key, std::string_view name, std::string_view text);

    bool programKeyExists() const { return m_registry.keyExists(RegistryRoot::LocalMachine, ProgramKey); }
    Registry& registry() const { return m_registry; }
    ProgramLog& log() const { return m_log; }

private:
    Registry& m_registry;
    ProgramLog& m_log;
    std::function<std::string()> m_activeName;
};

} // namespace vonalor
