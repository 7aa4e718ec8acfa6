#pragma once

#include <string>
#include <string_view>

namespace vonalor {

// Files are written in Windows-1250 (the Hungarian ANSI code page); inside the program
// every text is UTF-8.

// UTF-8 -> Windows-1250; characters the code page lacks become '?'.
std::string toCp1250(std::string_view utf8);
// Windows-1250 -> UTF-8.
std::string fromCp1250(std::string_view bytes);
// A file's text: valid UTF-8 (with or without a BOM) is taken as it is, anything else is
// decoded as Windows-1250.
std::string decodeFileText(std::string_view bytes);
bool isValidUtf8(std::string_view bytes);

} // namespace vonalor
