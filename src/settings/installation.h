#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vonalor {

class Registry;

// The values the installer leaves in the program key: the first-start marker and every
// value the program converts to a number at start, with the states the settings pages
// show before the user changes them.
const std::vector<std::pair<std::string_view, std::string_view>>& installationDefaults();

// Writes the defaults when the first-start marker does not exist yet (a fresh data home); a
// later start finds it and changes nothing. Returns whether it provisioned.
bool provisionInstallation(Registry& registry);

// The sounds the program plays from its folder ("Lejart.wav" when an allowance runs out,
// "tada.wav" when a download ends), made where they are missing: short tones, 16-bit PCM.
void installSounds(const std::filesystem::path& home);
// A WAV file of tones, each given as frequency and milliseconds.
std::string toneWav(const std::vector<std::pair<int, int>>& tones);

} // namespace vonalor
