#include "settings/installation.h"

#include "platform/registry.h"
#include "settings/settings_store.h"

namespace vonalor {

const std::vector<std::pair<std::string_view, std::string_view>>& installationDefaults() {
    static const std::vector<std::pair<std::string_view, std::string_view>> defaults = {
        {"ElsoInditas", "1"},
        // Converted to numbers at start: hotkey letters (0 = A ... 25 = Z) and list indexes.
        {"WebLista", "0"},
        {"GyorsBillCsat", "2"},    // Ctrl+Alt+C: dial
        {"GyBKapcsList", "0"},
        {"GyorsBillBiz", "21"},    // Ctrl+Alt+V: show or hide
        {"GyorsBillBont", "1"},    // Ctrl+Alt+B: hang up
        {"GyorsBillWeblap", "22"}, // Ctrl+Alt+W: web page
        {"FoablaknalAktFul", "0"},
        {"BeallitasnalAktFul", "0"},
        {"KapcsolatokSzama", "0"},
        // Companion window.
        {"KiseroAblak", "1"},
        {"KiseroAdatok", "111"},
        {"KiseroJelOssz", "1"},
        {"KiseroBal", "40"},
        {"KiseroTop", "40"},
        {"Atlatszosag", "90"},
        {"SzinHatter", "clBlack"},
        {"SzinSzoveg", "clLime"},
        // Switches, off unless a user would expect them on.
        {"GyorsBillEnged", "0"},
        {"GyBKapcsAlap", "1"},
        {"GyBWebKezdo", "1"},
        {"JelszoIndulas", "0"},
        {"JelszoMinim", "0"},
        {"Elrejtes", "0"},
        {"IndulMin", "0"},
        {"StartUp", "1"},
        {"CsatMin", "0"},
        {"Helyetesit", "0"},
        {"AutBong", "0"},
        {"AutoCookie", "0"},
        {"UjIETeljes", "0"},
        {"Jelezzen", "0"},
        {"JelezzenOrat", "0"},
        {"JelezzenMPerc", "5"},
        {"MatavFele", "0"},
        {"KedvHang", "1"},
        {"Hang", "1"},
        {"LetolteskorBont", "0"},
        {"LetolteskorIndit", "0"},
        {"Dia3D", "1"},
        {"DiaAxis", "1"},
        {"DiaMarks", "1"},
        {"ImportParameter", "111"},
    };
    return defaults;
}

bool provisionInstallation(Registry& registry) {
    // The first-start marker exists from the installation on (the first start sets it to "0").
    if (registry.read(RegistryRoot::LocalMachine, ProgramKey, "ElsoInditas").status == Registry::Status::Found)
        return false;
    // The marker goes last: a provisioning cut short is simply done again at the next start.
    const auto& defaults = installationDefaults();
    for (std::size_t i = 1; i < defaults.size(); ++i)
        registry.write(RegistryRoot::LocalMachine, ProgramKey, defaults[i].first, defaults[i].second);
    registry.write(RegistryRoot::LocalMachine, ProgramKey, defaults[0].first, defaults[0].second);
    return true;
}

} // namespace vonalor
