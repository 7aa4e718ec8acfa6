#include "tariff/tariff_bands.h"

#include "tariff/holiday_calendar.h"

namespace vonalor {

std::string_view bandName(Band band) {
    switch (band) {
    case Band::Delelott:
        return "Delelott";
    case Band::Delutan:
        return "Delutan";
    case Band::Ejjel:
        break;
    }
    return "Ejjel";
}

std::string_view dayKindName(DayKind kind) {
    return kind == DayKind::HetKoz ? "HetKoz" : "HetVeg";
}

std::string tariffName(DayKind kind, Band band) {
    std::string name(dayKindName(kind));
    name += bandName(band);
    return name;
}

Band BandOfHour(int hour) {
    if (hour >= 7 && hour <= 17)
        return Band::Delelott;
    if (hour >= 18)
        return Band::Delutan;
    return Band::Ejjel;
}

bool IsMondayToFriday(const Date& date) {
    const int day = dayOfWeek(date); // 1 = Sunday ... 7 = Saturday
    return day >= 2 && day <= 6;
}

bool IsTariffWorkday(const Date& date) {
    return IsMondayToFriday(date) && !IsHoliday(date);
}

DayKind dayKindOf(const Date& date) {
    return IsTariffWorkday(date) ? DayKind::HetKoz : DayKind::HetVeg;
}

std::string CurrentTariffName(const DateTime& moment) {
    return tariffName(dayKindOf(moment.date), BandOfHour(moment.time.hour));
}

} // namespace vonalor
