#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vonalor {

// What the books can hold. Prices, fees and allowances are forints from 0 to a billion, so that
// a year-long session stays within the fifteen digits of a figure; totals may also be negative
// (an adjustment) but stay within a thousand billion; time totals and counts are whole numbers.
enum class ValueKind {
    Amount,  // a tariff a minute, a connection fee, a money allowance
    Total,   // a period's total cost
    Count,   // hours, minutes, seconds, sessions, an hour allowance, indexes
    Bytes,   // byte totals: the full 64-bit range
    Integer, // a window position: any whole number a window can have
};

inline constexpr long double MaxAmount = 1e9L;
inline constexpr long double MaxTotal = 1e12L;
inline constexpr long long MaxCount = 1'000'000'000'000LL;

// The kind of a stored value the program reads as a number (record values by their suffix);
// nullopt for any other value.
std::optional<ValueKind> numericKindOf(std::string_view name);

// Why `text` cannot be a value of that kind, as the notice says it; empty when it can.
std::string valueProblem(ValueKind kind, std::string_view text);

} // namespace vonalor
