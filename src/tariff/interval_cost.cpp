#include "tariff/interval_cost.h"

#include "platform/clock.h"
#include "tariff/tariff_bands.h"
#include "text/regional.h"

namespace vonalor {

namespace {

constexpr int SecondsPerDay = 24 * 3600;
constexpr int Seven = 7 * 3600;
constexpr int Eighteen = 18 * 3600;

// Whole bands in minutes, for the spans that cross one completely.
constexpr long double WholeDelelott = 660;
constexpr long double WholeDelutan = 360;
constexpr long double WholeEjjel = 420;

int secondsOfDay(std::string_view text) {
    const TimeOfDay time = Regional::hungarian().toTime(text);
    return (time.hour * 60 + time.minute) * 60 + time.second;
}

// Whole minutes plus the seconds as a fraction (60 H + M + S / 60): the whole part stays exact
// and only the seconds are rounded, which the texts of the result depend on.
long double minutesOf(int seconds) {
    return static_cast<long double>(seconds / 60) + static_cast<long double>(seconds % 60) / 60.0L;
}

// The kind the boundary-crossing spans use: the calendar's weekday, holidays not consulted.
DayKind weekdayKind(const Date& date) {
    return IsMondayToFriday(date) ? DayKind::HetKoz : DayKind::HetVeg;
}

// tariff(kind, band) is asked only for the prices the span needs, left to right, so the first
// broken tariff is the one reported.
template <typename TariffOf> long double costOnDay(const Date& today, int start, int end, TariffOf& tariff) {
    const Band startBand = BandOfHour(start / 3600);
    const Band endBand = BandOfHour(end / 3600);

    if (start > end && startBand == endBand) {
        // Wrapping round to its own band crosses the other two bands in full. Cut at the first
        // boundary after the start; the part after midnight lies on the following date.
        const int cut = startBand == Band::Ejjel ? Seven : startBand == Band::Delelott ? Eighteen : 0;
        const long double before = costOnDay(today, start, cut, tariff);
        const long double after = costOnDay(cut == 0 ? addDays(today, 1) : today, cut, end, tariff);
        return before + after;
    }

    if (startBand == endBand) {
        const int length = start < end ? end - start : 0;
        // The night band has one price on every kind of day.
        const long double price = startBand == Band::Ejjel ? tariff(DayKind::HetKoz, Band::Ejjel)
                                                           : tariff(dayKindOf(today), startBand);
        return minutesOf(length) * price;
    }

    const Date endDay = start > end ? addDays(today, 1) : today;
    if (startBand == Band::Delelott && endBand == Band::Delutan) {
        const DayKind kind = dayKindOf(today);
        const long double day = tariff(kind, Band::Delelott);
        const long double evening = tariff(kind, Band::Delutan);
        return minutesOf(Eighteen - start) * day + minutesOf(end - Eighteen) * evening;
    }
    if (startBand == Band::Delutan && endBand == Band::Ejjel) {
        const long double evening = tariff(dayKindOf(today), Band::Delutan);
        const long double night = tariff(DayKind::HetKoz, Band::Ejjel);
        return minutesOf(SecondsPerDay - start) * evening + minutesOf(end) * night;
    }
    if (startBand == Band::Ejjel && endBand == Band::Delelott) {
        const long double night = tariff(DayKind::HetKoz, Band::Ejjel);
        const long double day = tariff(weekdayKind(endDay), Band::Delelott);
        return minutesOf(Seven - start) * night + minutesOf(end - Seven) * day;
    }
    if (startBand == Band::Ejjel && endBand == Band::Delutan) {
        const DayKind kind = weekdayKind(today);
        const long double night = tariff(DayKind::HetKoz, Band::Ejjel);
        const long double day = tariff(kind, Band::Delelott);
        const long double evening = tariff(kind, Band::Delutan);
        return minutesOf(Seven - start) * night + WholeDelelott * day + minutesOf(end - Eighteen) * evening;
    }
    if (startBand == Band::Delutan && endBand == Band::Delelott) {
        const long double evening = tariff(weekdayKind(today), Band::Delutan);
        const long double night = tariff(DayKind::HetKoz, Band::Ejjel);
        const long double day = tariff(weekdayKind(endDay), Band::Delelott);
        return minutesOf(SecondsPerDay - start) * evening + WholeEjjel * night + minutesOf(end - Seven) * day;
    }
    // Delelott into Ejjel: the only span whose night piece may take the weekend night price.
    const DayKind kind = weekdayKind(today);
    const long double day = tariff(kind, Band::Delelott);
    const long double evening = tariff(kind, Band::Delutan);
    const long double night = tariff(weekdayKind(endDay), Band::Ejjel);
    return minutesOf(Eighteen - start) * day + WholeDelutan * evening + minutesOf(end) * night;
}

} // namespace

std::string IntervalCost(SettingsStore& store, std::string_view connection, const Clock& clock,
                         std::string_view start, std::string_view end) {
    const int startSeconds = secondsOfDay(start);
    const int endSeconds = secondsOfDay(end);
    auto read = [&](DayKind kind, Band band) { return ReadTariff(store, connection, kind, band); };
    return Regional::hungarian().formatFloat(costOnDay(clock.now().date, startSeconds, endSeconds, read));
}

std::string IntervalCost(const Tariffs& tariffs, const Clock& clock, std::string_view start,
                         std::string_view end) {
    const int startSeconds = secondsOfDay(start);
    const int endSeconds = secondsOfDay(end);
    auto given = [&](DayKind kind, Band band) { return tariffs.of(kind, band); };
    return Regional::hungarian().formatFloat(costOnDay(clock.now().date, startSeconds, endSeconds, given));
}

} // namespace vonalor
