// vonalorctl: the tariff engine's commands.

#include "app/ctl_commands.h"
#include "platform/clock.h"
#include "tariff/holiday_calendar.h"
#include "tariff/interval_cost.h"
#include "tariff/tariff_bands.h"
#include "text/regional.h"

#include <limits>
#include <optional>
#include <ostream>

namespace vonalor {

namespace {

// The clock a priced span sees: the date and time asked for, not the machine's.
class FixedClock final : public Clock {
public:
    explicit FixedClock(const DateTime& moment) : m_moment(moment) {}
    DateTime now() const override { return m_moment; }

private:
    DateTime m_moment;
};

int yearArgument(const std::string& text) {
    const auto year = Regional::hungarian().parseInt(text);
    if (!year || *year < 1 || *year > 9999)
        throw CtlUsageError{"YEAR must be a year from 1 to 9999, not '" + text + "'"};
    return *year;
}

Date dateArgument(const std::string& what, const std::string& text) {
    const auto date = Regional::hungarian().parseDate(text);
    if (!date)
        throw CtlUsageError{what + " takes a date of the form YYYY.MM.DD. (2004.10.20.), not '" + text + "'"};
    return *date;
}

TimeOfDay timeArgument(const std::string& what, const std::string& text) {
    const auto time = Regional::hungarian().parseTime(text);
    if (!time)
        throw CtlUsageError{what + " takes a time of the form H:MM:SS (7:05:09), not '" + text + "'"};
    return *time;
}

struct CostArguments {
    std::optional<std::string> connection;
    std::optional<std::string> date;
    std::optional<std::string> from;
    std::optional<std::string> to;
};

// CONNECTION and the three options in any order; "--date D" and "--date=D" both work.
CostArguments costArguments(const std::vector<std::string>& args) {
    CostArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            if (parsed.connection)
                throw CtlUsageError{"cost takes one CONNECTION, got '" + *parsed.connection + "' and '" +
                                    arg + "'"};
            parsed.connection = arg;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        std::optional<std::string>* slot = name == "--date"   ? &parsed.date
                                           : name == "--from" ? &parsed.from
                                           : name == "--to"   ? &parsed.to
                                                              : nullptr;
        if (!slot)
            throw CtlUsageError{"cost has no option " + name + " (it takes --date, --from and --to)"};
        if (slot->has_value())
            throw CtlUsageError{name + " is given twice"};
        if (equals != std::string::npos)
            *slot = arg.substr(equals + 1);
        else if (i + 1 < args.size())
            *slot = args[++i];
        else
            throw CtlUsageError{name + " needs a value"};
    }
    if (!parsed.connection || parsed.connection->empty())
        throw CtlUsageError{"cost needs the CONNECTION whose tariffs price the span"};
    if (!parsed.date || !parsed.from || !parsed.to)
        throw CtlUsageError{"cost needs --date YYYY.MM.DD., --from H:MM:SS and --to H:MM:SS"};
    return parsed;
}

// Every word reaches costArguments, which says what is wrong with a surplus one.
constexpr std::size_t AnyCount = std::numeric_limits<std::size_t>::max();

int cost(CtlContext& ctx, const std::vector<std::string>& args) {
    const CostArguments parsed = costArguments(args);
    const Date date = dateArgument("--date", *parsed.date);
    const TimeOfDay from = timeArgument("--from", *parsed.from);
    timeArgument("--to", *parsed.to);
    // As if the connection were active and the clock showed that date and the span's start.
    const FixedClock clock(DateTime{date, from});
    try {
        ctx.out << IntervalCost(ctx.store, *parsed.connection, clock, *parsed.from, *parsed.to) << "\n";
    } catch (const TariffValueError& e) {
        ctx.err << "vonalorctl: a tariff of " << e.connection() << " is not a number: " << e.valueName()
                << "=" << e.text() << "\n";
        return CtlFailure;
    }
    return CtlOk;
}

} // namespace

std::vector<CtlCommand> tariffCommands() {
    return {
        {"cost", "CONNECTION --date YYYY.MM.DD. --from H:MM:SS --to H:MM:SS",
         "the cost of a span on that date with CONNECTION's tariffs", 1, AnyCount, cost},
        {"easter", "YEAR", "the date of Easter Sunday the holiday calendar uses", 1, 1,
         [](CtlContext& ctx, const std::vector<std::string>& args) {
             ctx.out << Regional::hungarian().formatDate(EasterSunday(yearArgument(args[0]))) << "\n";
             return CtlOk;
         }},
        {"holidays", "YEAR", "the ten public holidays of a year in calendar order", 1, 1,
         [](CtlContext& ctx, const std::vector<std::string>& args) {
             for (const Date& day : holidaysOfYear(yearArgument(args[0])))
                 ctx.out << Regional::hungarian().formatDate(day) << "\n";
             return CtlOk;
         }},
        // The moment may come as one quoted word or as date and time apart.
        {"tariff-name", "\"YYYY.MM.DD. H:MM:SS\"", "the tariff in force at that moment", 1, 2,
         [](CtlContext& ctx, const std::vector<std::string>& args) {
             const std::string moment = args.size() == 2 ? args[0] + " " + args[1] : args[0];
             const std::size_t space = moment.find(' ');
             const auto date = Regional::hungarian().parseDate(moment.substr(0, space));
             const auto time = space == std::string::npos
                                   ? std::nullopt
                                   : Regional::hungarian().parseTime(moment.substr(space + 1));
             if (!date || !time)
                 throw CtlUsageError{"tariff-name takes a moment of the form \"YYYY.MM.DD. H:MM:SS\" "
                                     "(\"2006.03.15. 10:00:00\"), not '" +
                                     moment + "'"};
             ctx.out << CurrentTariffName(DateTime{*date, *time}) << "\n";
             return CtlOk;
         }},
    };
}

} // namespace vonalor
