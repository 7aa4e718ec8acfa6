#include "tariff/tariff_values.h"

#include "settings/settings_store.h"
#include "settings/value_rules.h"
#include "text/regional.h"

namespace vonalor {

long double ReadTariff(SettingsStore& store, std::string_view connection, std::string_view tariffName) {
    std::string valueName(connection);
    valueName += tariffName;
    std::string text = store.ReadSetting(valueName);
    try {
        const long double value = Regional::hungarian().toFloat(text);
        // A price the books cannot hold ("inf", "-3", 1E20) is no price.
        if (std::string problem = valueProblem(ValueKind::Amount, text); !problem.empty())
            throw ConversionError(problem);
        return value;
    } catch (const ConversionError& e) {
        throw TariffValueError(e, std::string(connection), std::move(valueName), std::move(text));
    }
}

long double ReadTariff(SettingsStore& store, std::string_view connection, DayKind kind, Band band) {
    return ReadTariff(store, connection, tariffName(kind, band));
}

Tariffs ReadTariffs(SettingsStore& store, std::string_view connection) {
    Tariffs tariffs;
    for (const DayKind kind : {DayKind::HetKoz, DayKind::HetVeg}) {
        for (const Band band : {Band::Delelott, Band::Delutan, Band::Ejjel})
            tariffs.set(kind, band, ReadTariff(store, connection, kind, band));
    }
    return tariffs;
}

} // namespace vonalor
