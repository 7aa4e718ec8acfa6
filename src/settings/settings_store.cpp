#include "settings/settings_store.h"

#include "settings/value_rules.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"
#include "text/regional.h"

namespace vonalor {

std::string SettingsStore::ReadSetting(std::string_view name) {
    return ReadKeyValue(ProgramKey, name, "S: ");
}

std::string SettingsStore::ReadSettingQuiet(std::string_view name) const {
    return ReadKeyValueQuiet(ProgramKey, name);
}

bool SettingsStore::WriteSetting(std::string_view name, std::string_view text) {
    return WriteKeyValue(ProgramKey, name, text);
}

bool SettingsStore::WriteSettings(const std::vector<std::pair<std::string, std::string>>& values) {
    if (m_registry.writeValues(RegistryRoot::LocalMachine, ProgramKey, values))
        return true;
    writeFailed(values.empty() ? std::string_view() : std::string_view(values.front().first));
    return false;
}

namespace {

// Runs a conversion of a stored text; its failure names the value it came from. A value the
// books read as a number must also be one they can hold.
template <typename Convert>
auto convertSetting(std::string_view name, const std::string& text, Convert convert) {
    if (const auto kind = numericKindOf(name)) {
        if (std::string problem = valueProblem(*kind, text); !problem.empty())
            throw ConversionError(problem, std::string(name), text);
    }
    try {
        return convert(text);
    } catch (const ConversionError& e) {
        throw ConversionError(e.what(), std::string(name), text);
    }
}

} // namespace

std::int32_t SettingsStore::readInt(std::string_view name) {
    return convertSetting(name, ReadSetting(name),
                          [](const std::string& t) { return Regional::hungarian().toInt(t); });
}

std::int64_t SettingsStore::readInt64(std::string_view name) {
    return convertSetting(name, ReadSetting(name),
                          [](const std::string& t) { return Regional::hungarian().toInt64(t); });
}

long double SettingsStore::readFloat(std::string_view name) {
    return convertSetting(name, ReadSetting(name),
                          [](const std::string& t) { return Regional::hungarian().toFloat(t); });
}

void SettingsStore::writeFailed(std::string_view name) {
    m_log.AddProgramLogEntry(ProgramLog::Error, "Registry írási hiba(S: " + std::string(name) + ")!");
    if (m_onWriteFailure)
        m_onWriteFailure(std::string(name));
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

bool SettingsStore::WriteKeyValue(std::string_view key, std::string_view name, std::string_view text) {
    // A value that could not be stored is reported: the user must learn that the books or a
    // setting did not change.
    if (m_registry.write(RegistryRoot::LocalMachine, key, name, text))
        return true;
    writeFailed(name);
    return false;
}

} // namespace vonalor
