#include "text/regional.h"

#include "text/conversion_error.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace vonalor {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalsIgnoreCase(std::string_view text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lowerWord[i])
            return false;
    }
    return true;
}

std::string_view takeDigits(std::string_view& text) {
    std::size_t n = 0;
    while (n < text.size() && isDigit(text[n]))
        ++n;
    const std::string_view digits = text.substr(0, n);
    text.remove_prefix(n);
    return digits;
}

// Groups of three from the right; the caller keeps any sign outside.
std::string groupByThree(std::string_view digits, char separator) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

// Optional sign, then decimal digits only; the magnitude check allows the one extra value
// on the negative side.
template <typename Int> std::optional<Int> parseSignedDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    const std::uint64_t limit = negative ? static_cast<std::uint64_t>(std::numeric_limits<Int>::max()) + 1
                                         : static_cast<std::uint64_t>(std::numeric_limits<Int>::max());
    std::uint64_t magnitude = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    if (!negative)
        return static_cast<Int>(magnitude);
    // Negating in unsigned arithmetic keeps the minimum value free of overflow.
    return static_cast<Int>(static_cast<std::int64_t>(0 - magnitude));
}

// Between minCount and maxCount digits read as a number; on failure the text is left as it was.
std::optional<int> takeNumber(std::string_view& text, std::size_t minCount, std::size_t maxCount) {
    std::string_view rest = text;
    const std::string_view digits = takeDigits(rest);
    if (digits.size() < minCount || digits.size() > maxCount)
        return std::nullopt;
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    text = rest;
    return value;
}

bool takeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

// The GUI sets the process locale from the environment, where the decimal point may be a comma;
// number conversion must not follow it.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

std::string twoDigits(int value) {
    std::string out(2, '0');
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out;
}

} // namespace

const Regional& Regional::hungarian() {
    static const Regional instance;
    return instance;
}

std::string Regional::formatFloat(long double value) const {
    if (std::isnan(value))
        return "Nan";
    if (std::isinf(value))
        return value > 0 ? "+Inf" : "-Inf";
    if (value == 0)
        return "0";

    // Stage one: 18 significant digits, which glibc rounds exactly from the 80-bit value. Only the
    // digits and the exponent are read back, so the locale's decimal point does not matter.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", std::fabs(value));
    std::string digits;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (isDigit(*p))
            digits += *p;
    }
    int exponent = std::atoi(p + 1);

    // Stage two: 15 digits, an exact half of the 18-digit text going away from zero.
    const bool roundUp = digits.compare(15, 3, "500") >= 0;
    digits.resize(15);
    if (roundUp) {
        int i = 14;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
    const auto last = digits.find_last_not_of('0');
    digits.resize(last + 1);

    std::string out = value < 0 ? "-" : "";
    if (exponent >= -5 && exponent <= 14) {
        if (exponent < 0) {
            out += "0,";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const auto wholeLength = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= wholeLength) {
                out += digits;
                out.append(wholeLength - digits.size(), '0');
            } else {
                out.append(digits, 0, wholeLength);
                out += decimalSeparator();
                out.append(digits, wholeLength);
            }
        }
        return out;
    }
    out += digits[0];
    if (digits.size() > 1) {
        out += decimalSeparator();
        out.append(digits, 1);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
}

std::optional<long double> Regional::parseFloat(std::string_view text) const {
    text = trimBlanks(text);

    bool negative = false;
    std::string_view body = text;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (equalsIgnoreCase(body, "inf")) {
        const long double inf = std::numeric_limits<long double>::infinity();
        return negative ? -inf : inf;
    }
    if (equalsIgnoreCase(text, "nan")) {
        // The x87 default NaN (sign bit set), the one an invalid operation produces.
        return std::copysign(std::numeric_limits<long double>::quiet_NaN(), -1.0L);
    }
    if (body.empty())
        return std::nullopt;

    const std::string_view whole = takeDigits(body);
    std::string_view fraction;
    if (takeChar(body, decimalSeparator()))
        fraction = takeDigits(body);
    std::string_view exponentSign;
    std::string_view exponentDigits;
    if (!body.empty() && (body.front() == 'e' || body.front() == 'E')) {
        body.remove_prefix(1);
        if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
            exponentSign = body.substr(0, 1);
            body.remove_prefix(1);
        }
        exponentDigits = takeDigits(body);
        if (exponentDigits.empty())
            return std::nullopt;
    }
    if (!body.empty())
        return std::nullopt;

    // strtold rounds correctly to 80 bits; the C locale makes it read the point built here.
    std::string c;
    c.reserve(text.size() + 4);
    if (negative)
        c += '-';
    c += whole.empty() ? std::string_view("0") : whole;
    if (!fraction.empty()) {
        c += '.';
        c += fraction;
    }
    if (!exponentDigits.empty()) {
        c += 'e';
        c += exponentSign;
        c += exponentDigits;
    }
    char* end = nullptr;
    const int savedErrno = errno;
    const long double result = strtold_l(c.c_str(), &end, cLocale());
    errno = savedErrno; // overflow to infinity and underflow to zero are the wanted results
    if (end != c.c_str() + c.size())
        return std::nullopt;
    return result;
}

long double Regional::toFloat(std::string_view text) const {
    if (const auto value = parseFloat(text))
        return *value;
    throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

std::optional<std::int32_t> Regional::parseInt(std::string_view text) const {
    return parseSignedDecimal<std::int32_t>(text);
}

std::int32_t Regional::toInt(std::string_view text) const {
    if (const auto value = parseInt(text))
        return *value;
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
}

std::optional<std::int64_t> Regional::parseInt64(std::string_view text) const {
    return parseSignedDecimal<std::int64_t>(text);
}

std::int64_t Regional::toInt64(std::string_view text) const {
    if (const auto value = parseInt64(text))
        return *value;
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
}

std::string Regional::formatDate(const Date& date) const {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d.%02d.%02d.", date.year, date.month, date.day);
    return buffer;
}

std::optional<Date> Regional::parseDate(std::string_view text) const {
    const auto year = takeNumber(text, 4, 4);
    if (!year || !takeChar(text, '.'))
        return std::nullopt;
    const auto month = takeNumber(text, 1, 2);
    if (!month || !takeChar(text, '.'))
        return std::nullopt;
    const auto day = takeNumber(text, 1, 2);
    if (!day)
        return std::nullopt;
    takeChar(text, '.');
    if (!text.empty())
        return std::nullopt;
    const Date date{*year, *month, *day};
    if (!isValidDate(date))
        return std::nullopt;
    return date;
}

Date Regional::toDate(std::string_view text) const {
    if (const auto date = parseDate(text))
        return *date;
    throw ConversionError("'" + std::string(text) + "' is not a valid date");
}

std::string Regional::formatTime(const TimeOfDay& time) const {
    return std::to_string(time.hour) + ':' + twoDigits(time.minute) + ':' + twoDigits(time.second);
}

std::optional<TimeOfDay> Regional::parseTime(std::string_view text) const {
    const auto hour = takeNumber(text, 1, 2);
    if (!hour || !takeChar(text, ':'))
        return std::nullopt;
    const auto minute = takeNumber(text, 2, 2);
    if (!minute || !takeChar(text, ':'))
        return std::nullopt;
    const auto second = takeNumber(text, 2, 2);
    if (!second || !text.empty())
        return std::nullopt;
    const TimeOfDay time{*hour, *minute, *second, 0};
    if (!isValidTime(time))
        return std::nullopt;
    return time;
}

TimeOfDay Regional::toTime(std::string_view text) const {
    if (const auto time = parseTime(text))
        return *time;
    throw ConversionError("'" + std::string(text) + "' is not a valid time");
}

std::string Regional::groupDigits(std::uint64_t value) const {
    return groupByThree(std::to_string(value), thousandSeparator());
}

std::uint64_t digitsOnly(std::string_view text) {
    constexpr std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            continue;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (max - digit) / 10)
            return max;
        value = value * 10 + digit;
    }
    return value;
}

std::string TwoDecimals(std::string_view text) {
    // A value below 0,00001 is written in exponent form ("6,66666666666667E-5"); cutting its
    // mantissa would show thousands of times the amount. Two decimals of it are nothing.
    if (const auto e = text.find_first_of("Ee");
        e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-')
        return "0";
    // A value too large for the fixed form keeps its exponent: cutting it would drop it.
    if (text.find_first_of("Ee") != std::string_view::npos)
        return std::string(text);
    const auto comma = text.rfind(',');
    if (comma == std::string_view::npos)
        return std::string(text);
    return std::string(text.substr(0, comma + 3));
}

std::string GroupThousands(std::string_view text) {
    const auto comma = text.rfind(',');
    std::string_view whole = text.substr(0, comma);
    std::string out;
    if (!whole.empty() && whole.front() == '-') {
        out += '-';
        whole.remove_prefix(1);
    }
    out += groupByThree(whole, Regional::hungarian().thousandSeparator());
    if (comma != std::string_view::npos) {
        out += ',';
        out += text.substr(comma + 1, 2);
    }
    return out;
}

std::int64_t roundHalfEven(long double value) {
    const long double whole = std::trunc(value);
    const long double rest = std::fabs(value - whole); // exact: both share the value's exponent range
    long double rounded = whole;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(whole, 2.0L) != 0))
        rounded += value < 0 ? -1 : 1;
    return truncate(rounded);
}

std::int64_t truncate(long double value) {
    // Out-of-range values saturate instead of hitting undefined behaviour; NaN reads as 0.
    constexpr long double limit = 9223372036854775808.0L; // 2^63
    if (std::isnan(value))
        return 0;
    if (value >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (value <= -limit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

} // namespace vonalor
