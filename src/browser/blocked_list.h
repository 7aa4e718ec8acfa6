#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vonalor {

// The blocked web address prefixes, kept in "Weblapok.txt": one per line, Windows-1250, CR LF.
inline constexpr const char* BlockedListFileName = "Weblapok.txt";

bool loadBlockedList(const std::filesystem::path& file, std::vector<std::string>& list);
bool saveBlockedList(const std::filesystem::path& file, const std::vector<std::string>& list);

} // namespace vonalor
