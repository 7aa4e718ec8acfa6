#include "monitor/duration_counter.h"

#include "text/regional.h"

namespace vonalor {

namespace {

// Two digits up to 9, plain digits from 10 on.
std::string twoDigits(long long value) {
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

} // namespace

void DurationCounter::advanceClock(std::string& hours, std::string& minutes, std::string& seconds) {
    const Regional& regional = Regional::hungarian();
    if (seconds != "59") {
        seconds = twoDigits(regional.toInt64(seconds) + 1);
    } else if (minutes != "59") {
        minutes = twoDigits(regional.toInt64(minutes) + 1);
        seconds = "00";
    } else {
        hours = twoDigits(regional.toInt64(hours) + 1);
        minutes = "00";
        seconds = "00";
    }
}

} // namespace vonalor
