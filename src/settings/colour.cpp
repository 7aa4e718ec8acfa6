#include "settings/colour.h"

#include <array>
#include <cstdio>
#include <strings.h>

namespace vonalor {

namespace {

struct NamedColour {
    std::uint32_t value;
    const char* name;
};

constexpr std::array<NamedColour, 20> namedColours{{
    {0x000000, "clBlack"},      {0x000080, "clMaroon"},  {0x008000, "clGreen"}, {0x008080, "clOlive"},
    {0x800000, "clNavy"},       {0x800080, "clPurple"},  {0x808000, "clTeal"},  {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},     {0x0000FF, "clRed"},     {0x00FF00, "clLime"},  {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},       {0xFF00FF, "clFuchsia"}, {0xFFFF00, "clAqua"},  {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"}, {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"}, {0xA4A0A0, "clMedGray"},
}};

std::optional<std::uint32_t> parseDigits(std::string_view digits, int base) {
    if (digits.empty() || digits.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    }
    if (value > 0xFFFFFFFFULL)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace

std::string colourToText(std::uint32_t colour) {
    for (const auto& named : namedColours) {
        if (named.value == colour)
            return named.name;
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%08X", colour);
    return buffer;
}

std::optional<std::uint32_t> textToColour(std::string_view text) {
    for (const auto& named : namedColours) {
        const std::string_view name = named.name;
        if (name.size() == text.size() && ::strncasecmp(name.data(), text.data(), name.size()) == 0)
            return named.value;
    }
    if (!text.empty() && text.front() == '$')
        return parseDigits(text.substr(1), 16);
    return parseDigits(text, 10);
}

} // namespace vonalor
