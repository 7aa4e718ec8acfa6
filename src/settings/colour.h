#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vonalor {

// A colour as 0x00BBGGRR. Stored as its name when it has one ("clBlack"), otherwise as "$"
// and eight hexadecimal digits ("$00336699").
std::string colourToText(std::uint32_t colour);
// Accepts the names, "$" hex and decimal; nullopt for anything else.
std::optional<std::uint32_t> textToColour(std::string_view text);

} // namespace vonalor
