#pragma once

#include "tariff/tariff_bands.h"
#include "text/conversion_error.h"

#include <string>
#include <string_view>

namespace vonalor {

class SettingsStore;

// A stored tariff that is not a number. It is a ConversionError with the platform's notice
// text, so an event boundary handles it like any other; the names tell a caller which value it was.
class TariffValueError : public ConversionError {
public:
    TariffValueError(const ConversionError& cause, std::string connection, std::string valueName,
                     std::string text)
        : ConversionError(cause.what(), std::move(valueName), std::move(text)),
          m_connection(std::move(connection)) {}

    const std::string& connection() const { return m_connection; }
    const std::string& valueName() const { return source(); } // connection name + tariff name

private:
    std::string m_connection;
};

// Forints per minute, stored as connection name + tariff name with a decimal comma. Read with
// ReadSetting, so a missing value leaves its program log error; throws TariffValueError when
// the text is missing, empty or not a number.
long double ReadTariff(SettingsStore& store, std::string_view connection, std::string_view tariffName);
long double ReadTariff(SettingsStore& store, std::string_view connection, DayKind kind, Band band);

// The six prices of one connection, for callers that read them once and price many spans.
struct Tariffs {
    long double perMinute[2][3] = {};

    long double of(DayKind kind, Band band) const {
        return perMinute[static_cast<int>(kind)][static_cast<int>(band)];
    }
    void set(DayKind kind, Band band, long double value) {
        perMinute[static_cast<int>(kind)][static_cast<int>(band)] = value;
    }
};

// All six at once; fails on the first broken one, even one the spans to price would not use.
Tariffs ReadTariffs(SettingsStore& store, std::string_view connection);

} // namespace vonalor
