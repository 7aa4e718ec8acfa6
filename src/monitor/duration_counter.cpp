#include "monitor/duration_counter.h"

#include "settings/value_rules.h"
#include "text/conversion_error.h"
#include "text/regional.h"

namespace vonalor {

namespace {

// Two digits up to 9, plain digits from 10 on.
std::string twoDigits(long long value) {
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

} // namespace

void DurationCounter::advanceClock(std::string& hours, std::string& minutes, std::string& seconds) {
    // A field that is not a number ends the event; one too large to count on is no figure either.
    const auto next = [](const std::string& text) {
        const std::int64_t value = Regional::hungarian().toInt64(text);
        if (std::string problem = valueProblem(ValueKind::Count, text); !problem.empty())
            throw ConversionError(problem);
        return twoDigits(value + 1);
    };
    if (seconds != "59") {
        seconds = next(seconds);
    } else if (minutes != "59") {
        minutes = next(minutes);
        seconds = "00";
    } else {
        hours = next(hours);
        minutes = "00";
        seconds = "00";
    }
}

} // namespace vonalor
