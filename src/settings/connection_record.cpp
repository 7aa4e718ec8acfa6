#include "settings/connection_record.h"

#include "platform/sqlite_registry.h"
#include "settings/settings_store.h"

#include <algorithm>

namespace vonalor {

const std::vector<std::pair<std::string_view, std::string_view>>& newConnectionRecord() {
    static const std::vector<std::pair<std::string_view, std::string_view>> record = {
        {"OsszOra", "00"},       {"OsszPerc", "00"},      {"OsszMPerc", "00"},    {"OsszKoltseg", "0"},
        {"KapcsSzama", "0"},     {"HetKozDelelott", "1"}, {"HetKozDelutan", "1"}, {"HetKozEjjel", "1"},
        {"HetVegDelelott", "1"}, {"HetVegDelutan", "1"},  {"HetVegEjjel", "1"},   {"VanKapcsDij", "0"},
        {"KapcsDijErteke", "0"}, {"KedvErteke", "0"},     {"KedvOraErteke", "0"}, {"KuldottBajt", "0"},
        {"FogadottBajt", "0"},
    };
    return record;
}

bool CreateConnectionRecord(SettingsStore& store, const std::string& name) {
    std::vector<std::pair<std::string, std::string>> missing;
    for (const auto& [suffix, text] : newConnectionRecord()) {
        std::string value = name + std::string(suffix);
        if (store.registry().read(RegistryRoot::LocalMachine, ProgramKey, value).status !=
            Registry::Status::Found)
            missing.emplace_back(std::move(value), std::string(text));
    }
    return missing.empty() || store.WriteSettings(missing);
}

std::string entryNameProblem(std::string_view name) {
    if (name.empty())
        return "a név üres";
    if (name == "." || name == "..")
        return "a név nem lehet \".\" vagy \"..\"";
    // With "Diagram.ini" after it the name must stay one file name of the data home.
    if (name.size() > 200)
        return "a név 200 bájtnál hosszabb";
    for (const char c : name) {
        if (c == '/' || c == '\\')
            return "a név nem tartalmazhat / vagy \\ jelet";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "a név vezérlőkaraktert tartalmaz";
    }
    return {};
}

PhonebookCheck checkPhonebook(const std::vector<std::string>& entries) {
    PhonebookCheck check;
    std::vector<std::string> folded;
    for (const std::string& entry : entries) {
        if (std::string problem = entryNameProblem(entry); !problem.empty()) {
            check.refused.emplace_back(entry, std::move(problem));
            continue;
        }
        const std::string key = foldRegistryName(entry);
        const auto same = std::find(folded.begin(), folded.end(), key);
        if (same != folded.end()) {
            const std::string& first = check.kept[static_cast<std::size_t>(same - folded.begin())];
            if (first != entry)
                check.refused.emplace_back(entry, "csak kis- és nagybetűben tér el ettől: \"" + first + "\"");
            continue; // the very same name twice is one entry
        }
        folded.push_back(key);
        check.kept.push_back(entry);
    }
    return check;
}

bool hasConnectionRecord(const SettingsStore& store, const std::string& name) {
    for (const auto& [suffix, text] : newConnectionRecord()) {
        if (store.registry()
                .read(RegistryRoot::LocalMachine, ProgramKey, name + std::string(suffix))
                .status == Registry::Status::Found)
            return true;
    }
    return false;
}

} // namespace vonalor
