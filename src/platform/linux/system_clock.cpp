#include "platform/linux/system_clock.h"

#include <ctime>

namespace vonalor {

DateTime SystemClock::now() const {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    ::localtime_r(&ts.tv_sec, &local);
    return DateTime{
        Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
        TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ts.tv_nsec / 1'000'000)}};
}

} // namespace vonalor
