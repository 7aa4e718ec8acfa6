#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vonalor {

// Text files as the program keeps them: Windows-1250 with CR LF line ends, written whole
// (atomically); reading also accepts UTF-8 and bare LF.

// Writes each line followed by CR LF.
bool writeAnsiLines(const std::filesystem::path& file, const std::vector<std::string>& lines);
// Reads the lines; false when the file cannot be opened or read.
bool readAnsiLines(const std::filesystem::path& file, std::vector<std::string>& lines);
// The lines of a text, with CR LF, LF or CR ends; no empty last line for a final line end.
std::vector<std::string> splitLines(std::string_view text);

} // namespace vonalor
