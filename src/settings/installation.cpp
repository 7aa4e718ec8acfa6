#include "settings/installation.h"

#include "platform/atomic_file.h"
#include "platform/registry.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vonalor {

const std::vector<std::pair<std::string_view, std::string_view>>& installationDefaults() {
    static const std::vector<std::pair<std::string_view, std::string_view>> defaults = {
        {"ElsoInditas", "1"},
        // Converted to numbers at start: hotkey letters (0 = A ... 25 = Z) and list indexes.
        {"WebLista", "0"},
        {"GyorsBillCsat", "2"}, // Ctrl+Alt+C: dial
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
    if (registry.read(RegistryRoot::LocalMachine, ProgramKey, "ElsoInditas").status ==
        Registry::Status::Found)
        return false;
    // The marker goes last: a provisioning cut short is simply done again at the next start.
    const auto& defaults = installationDefaults();
    for (std::size_t i = 1; i < defaults.size(); ++i)
        registry.write(RegistryRoot::LocalMachine, ProgramKey, defaults[i].first, defaults[i].second);
    registry.write(RegistryRoot::LocalMachine, ProgramKey, defaults[0].first, defaults[0].second);
    return true;
}

namespace {

void putLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::string toneWav(const std::vector<std::pair<int, int>>& tones) {
    constexpr std::uint32_t rate = 22050;
    std::string samples;
    for (const auto& [frequency, ms] : tones) {
        const auto count = static_cast<std::uint32_t>(rate * static_cast<std::uint32_t>(ms) / 1000);
        for (std::uint32_t i = 0; i < count; ++i) {
            // A sine with a short fade at both ends, so the tone does not click.
            const double t = static_cast<double>(i) / rate;
            const double fade = std::min({1.0, i / (rate * 0.01), (count - i) / (rate * 0.01)});
            const double value = std::sin(2 * 3.14159265358979 * frequency * t) * 0.4 * fade;
            putLittle(samples, static_cast<std::uint32_t>(static_cast<std::int16_t>(value * 32767)), 2);
        }
    }
    std::string wav = "RIFF";
    putLittle(wav, static_cast<std::uint32_t>(36 + samples.size()), 4);
    wav += "WAVEfmt ";
    putLittle(wav, 16, 4);
    putLittle(wav, 1, 2); // PCM
    putLittle(wav, 1, 2); // mono
    putLittle(wav, rate, 4);
    putLittle(wav, rate * 2, 4); // bytes a second
    putLittle(wav, 2, 2);        // bytes a frame
    putLittle(wav, 16, 2);       // bits a sample
    wav += "data";
    putLittle(wav, static_cast<std::uint32_t>(samples.size()), 4);
    return wav + samples;
}

void installSounds(const std::filesystem::path& home) {
    const std::pair<const char*, std::vector<std::pair<int, int>>> sounds[] = {
        {"Lejart.wav", {{880, 180}, {660, 180}, {440, 360}}},
        {"tada.wav", {{523, 120}, {659, 120}, {784, 280}}},
    };
    for (const auto& [name, tones] : sounds) {
        std::error_code ec;
        if (!std::filesystem::exists(home / name, ec))
            writeFileAtomically(home / name, toneWav(tones));
    }
}

} // namespace vonalor
