#pragma once

#include "text/date_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vonalor {

// The Hungarian regional settings the program works in: decimal comma, space as the
// thousands separator, short date "yyyy.MM.dd.", long time "H:mm:ss". One immutable
// object; every text the program shows or stores goes through it.
class Regional {
public:
    static const Regional& hungarian();

    char decimalSeparator() const { return ','; }
    char thousandSeparator() const { return ' '; }

    // General decimal format: at most 15 significant digits (two-stage rounding: 18 digits,
    // then 15 with halves away from zero), trailing zeros dropped, fixed form while the
    // rounded exponent lies in -5..14, else "1,5E15" / "1E-6". NaN is "Nan", infinities "+Inf"/"-Inf".
    std::string formatFloat(long double value) const;
    // The inverse; nullopt on anything that is not a number in this format
    // (a point for the comma, two commas, an empty text, ...).
    std::optional<long double> parseFloat(std::string_view text) const;
    // As parseFloat, but throws ConversionError with the platform's notice text.
    long double toFloat(std::string_view text) const;

    // Decimal integer text (optional sign, digits, 32-bit range); nullopt otherwise.
    std::optional<std::int32_t> parseInt(std::string_view text) const;
    std::int32_t toInt(std::string_view text) const; // throws ConversionError
    std::optional<std::int64_t> parseInt64(std::string_view text) const;
    std::int64_t toInt64(std::string_view text) const; // throws ConversionError

    // "2004.10.25."; reading also accepts the form without the final dot.
    std::string formatDate(const Date& date) const;
    std::optional<Date> parseDate(std::string_view text) const;
    Date toDate(std::string_view text) const; // throws ConversionError

    // "9:05:31"; reading accepts 7 or 8 characters ("9:05:31", "09:05:31", "23:59:59").
    std::string formatTime(const TimeOfDay& time) const;
    std::optional<TimeOfDay> parseTime(std::string_view text) const;
    TimeOfDay toTime(std::string_view text) const; // throws ConversionError

    // Digits grouped by three from the right with the thousands separator: 1234567 -> "1 234 567".
    std::string groupDigits(std::uint64_t value) const;
};

// Keeps only the digits 0-9 of a text and reads them as a whole number (empty -> 0; saturates).
std::uint64_t digitsOnly(std::string_view text);

// The display cut: the text up to two characters after its last comma; never rounds.
std::string TwoDecimals(std::string_view text);

// Whole part grouped by three with spaces, then at most two decimals (cut, not rounded).
std::string GroupThousands(std::string_view text);

// Rounding of the platform: Round (halves to even) and Trunc.
std::int64_t roundHalfEven(long double value);
std::int64_t truncate(long double value);

} // namespace vonalor
