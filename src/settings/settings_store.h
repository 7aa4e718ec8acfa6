#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
    void setActiveConnectionName(std::function<std::string()> provider) {
        m_activeName = std::move(provider);
    }

    // Missing value: empty text and the program log error "Registry olvasási hiba(S: name)!".
    std::string ReadSetting(std::string_view name);
    // Missing value: empty text, nothing reported.
    std::string ReadSettingQuiet(std::string_view name) const;
    // False when the store could not be written; the failure handler has been told.
    bool WriteSetting(std::string_view name, std::string_view text);
    // Several values in one transaction: all of them are stored or none.
    bool WriteSettings(const std::vector<std::pair<std::string, std::string>>& values);

    // Reads a value that must be a number; a text that is not one throws ConversionError naming
    // the value (a missing one is also reported as ReadSetting does).
    std::int32_t readInt(std::string_view name);
    std::int64_t readInt64(std::string_view name);
    long double readFloat(std::string_view name);
    // A stored flag: on only when it is exactly "1".
    bool readFlag(std::string_view name) { return ReadSetting(name) == "1"; }
    // A stored flag the behaviour takes as on unless it is exactly "0" (a missing one is on).
    bool readNotOff(std::string_view name) { return ReadSetting(name) != "0"; }

    // Told of every write the store refused (a full disk, a damaged or read-only database), with
    // the value's name. Without a handler the failure goes to the program log only.
    void setWriteFailureHandler(std::function<void(const std::string& name)> handler) {
        m_onWriteFailure = std::move(handler);
    }

    std::string ReadAutoDialSetting(std::string_view name);
    void WriteAutoDialSetting(std::string_view name, std::string_view text);

    // A read of another local-machine key that reports a missing value as
    // "Registry olvasási hiba(" + tag + name + ")!" (tag "J: " for the password).
    std::string ReadKeyValue(std::string_view key, std::string_view name, std::string_view tag);
    std::string ReadKeyValueQuiet(std::string_view key, std::string_view name) const;
    bool WriteKeyValue(std::string_view key, std::string_view name, std::string_view text);

    bool programKeyExists() const { return m_registry.keyExists(RegistryRoot::LocalMachine, ProgramKey); }
    Registry& registry() const { return m_registry; }
    ProgramLog& log() const { return m_log; }

private:
    Registry& m_registry;
    ProgramLog& m_log;
    void writeFailed(std::string_view name);

    std::function<std::string()> m_activeName;
    std::function<void(const std::string&)> m_onWriteFailure;
};

} // namespace vonalor
