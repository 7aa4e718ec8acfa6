#pragma once

#include <string>
#include <string_view>

namespace vonalor {

inline constexpr char32_t InvalidCodePoint = 0xFFFFFFFF;

// Reads one UTF-8 sequence at `pos` and moves past it. A broken sequence (a stray or missing
// continuation byte, an overlong form, a surrogate, a value past U+10FFFF) gives
// InvalidCodePoint; `pos` is then somewhere inside it, the caller restarts after the lead byte.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t codePoint);

} // namespace vonalor
