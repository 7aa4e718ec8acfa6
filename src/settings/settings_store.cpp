#include "settings/settings_store.h"

#include "tasks/program_log.h"

namespace vonalor {

std::string SettingsStore::ReadSetting(std::string_view name) {
    return ReadKeyValue(ProgramKey, name, "S: ");
}

std::string SettingsStore::ReadSettingQuiet(std::string_view name) const {
    return ReadKeyValueQuiet(ProgramKey, name);
}

void SettingsStore::WriteSetting(std::string_view name, std::string_view text) {
    WriteKeyValue(ProgramKey, name, text);
}

std::string SettingsStore::ReadAutoDialSetting(std::string_view name) {
    return ReadKeyValue(AutoDialKey, name, "");
}

void SettingsStore::WriteAutoDialSetting(std::string_view name, std::string_view text) {
    WriteKeyValue(AutoDialKey, name, text);
}

std::string SettingsStore::ReadKeyValue(std::string_view key, std::string_view name, std::string_view tag) {
    Registry::ReadResult result = m_registry.read(RegistryRoot::LocalMachine, key, name);
    if (result.status == Registry::Status::NoValue && !(m_activeName && m_activeName() == name)) {
        std::string text = "Registry olvasási hiba(";
        text.append(tag).append(name).append(")!");
        m_log.AddProgramLogEntry(ProgramLog::Error, std::move(text));
    }
    return std::move(result.text);
}

std::string SettingsStore::ReadKeyValueQuiet(std::string_view key, std::string_view name) const {
    return m_registry.read(RegistryRoot::LocalMachine, key, name).text;
}

void SettingsStore::WriteKeyValue(std::string_view key, std::string_view name, std::string_view text) {
    // A store that cannot be written is skipped silently, as an unopenable key is.
    m_registry.write(RegistryRoot::LocalMachine, key, name, text);
}

} // namespace vonalor
