#include "stats/billing_period.h"

#include "settings/settings_store.h"
#include "text/regional.h"

#include <algorithm>
#include <cstdio>

namespace vonalor {

std::string sameDayNextMonth(const Date& date, bool trailingDot) {
    Date next{date.month == 12 ? date.year + 1 : date.year, date.month == 12 ? 1 : date.month + 1, date.day};
    next.day = std::min(next.day, daysInMonth(next.year, next.month));
    std::string text = Regional::hungarian().formatDate(next);
    if (!trailingDot)
        text.pop_back();
    return text;
}

void InitBillingPeriod(SettingsStore& store, const Date& today) {
    store.WriteSetting("KezdoDatum", Regional::hungarian().formatDate(today));
    store.WriteSetting("VegDatum", sameDayNextMonth(today, true));
    char day[3];
    std::snprintf(day, sizeof day, "%02d", today.day);
    store.WriteSetting("DatumTolIg", day);
}

} // namespace vonalor
