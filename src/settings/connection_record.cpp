#include "settings/connection_record.h"

#include "settings/settings_store.h"

namespace vonalor {

const std::vector<std::pair<std::string_view, std::string_view>>& newConnectionRecord() {
    static const std::vector<std::pair<std::string_view, std::string_view>> record = {
        {"OsszOra", "00"},       {"OsszPerc", "00"},       {"OsszMPerc", "00"},      {"OsszKoltseg", "0"},
        {"KapcsSzama", "0"},     {"HetKozDelelott", "1"},  {"HetKozDelutan", "1"},   {"HetKozEjjel", "1"},
        {"HetVegDelelott", "1"}, {"HetVegDelutan", "1"},   {"HetVegEjjel", "1"},     {"VanKapcsDij", "0"},
        {"KapcsDijErteke", "0"}, {"KedvErteke", "0"},      {"KedvOraErteke", "0"},   {"KuldottBajt", "0"},
        {"FogadottBajt", "0"},
    };
    return record;
}

bool CreateConnectionRecord(SettingsStore& store, const std::string& name) {
    std::vector<std::pair<std::string, std::string>> missing;
    for (const auto& [suffix, text] : newConnectionRecord()) {
        std::string value = name + std::string(suffix);
        if (store.registry().read(RegistryRoot::LocalMachine, ProgramKey, value).status != Registry::Status::Found)
            missing.emplace_back(std::move(value), std::string(text));
    }
    return missing.empty() || store.WriteSettings(missing);
}

bool hasConnectionRecord(const SettingsStore& store, const std::string& name) {
    for (const auto& [suffix, text] : newConnectionRecord()) {
        if (store.registry().read(RegistryRoot::LocalMachine, ProgramKey, name + std::string(suffix)).status ==
            Registry::Status::Found)
            return true;
    }
    return false;
}

} // namespace vonalor
