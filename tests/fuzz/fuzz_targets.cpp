#include "fuzz_targets.h"

#include "platform/sim/sim_ras.h"
#include "platform/sim/virtual_time.h"
#include "platform/text_file.h"
#include "stats/books_file.h"
#include "stats/daily_statistics.h"
#include "tasks/list_view_file.h"
#include "text/conversion_error.h"
#include "text/cp1250.h"
#include "text/regional.h"

#include <string>

namespace vonalor::fuzz {

namespace {

void expect(bool promise, const char* what) {
    if (!promise)
        throw FuzzFinding(what);
}

} // namespace

void listViewFile(std::string_view bytes) {
    const DecodedList list = decodeListViewFile(bytes);
    expect(list.markerOk || list.rows.empty(), "rows read from a file with a foreign marker");
    // What was read is saved and read again whole, row by row and item by item (the texts may
    // change: characters the code page lacks are written as '?').
    const DecodedList again = decodeListViewFile(encodeListViewFile(list.rows));
    expect(again.markerOk && again.complete && again.rows.size() == list.rows.size(), "rows lost by a save");
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        expect(again.rows[i].subItems.size() == list.rows[i].subItems.size(), "items lost by a save");
        expect(again.rows[i].imageIndex == list.rows[i].imageIndex, "a picture number changed by a save");
    }
}

void dailyLine(std::string_view bytes) {
    for (const std::string& line : splitLines(decodeFileText(bytes))) {
        if (const auto parsed = parseDailyLine(line)) {
            expect(parsed->dateText.size() == 11, "a day's date text is not eleven characters");
            expect(Regional::hungarian().parseDate(parsed->dateText) == parsed->date,
                   "a day's date read apart");
        }
        bracketValue(line, '[', ']');
    }
}

void booksText(std::string_view bytes) {
    const std::string text = decodeFileText(bytes);
    expect(isValidUtf8(text), "decoded text is not UTF-8");
    splitLines(text);
    // Booking a session after what the file holds keeps the file's text and adds the line.
    const std::string appended = appendedBooksBytes(bytes, {"Kapcsolat neve: Otthon"});
    expect(appended.size() >= 24 && appended.substr(appended.size() - 24) == "Kapcsolat neve: Otthon\r\n",
           "the booked line is not at the end");
}

void simPhonebook(std::string_view bytes) {
    std::vector<std::string> entries;
    std::vector<RasDevice> devices;
    SimRas::parsePhonebook(bytes, &entries, &devices);
    for (const std::string& entry : entries)
        expect(!entry.empty(), "an empty entry name");
}

void simScenario(std::string_view bytes) {
    // A phonebook it cannot write (no such folder): only the scenario is read.
    VirtualTime time(DateTime{Date{2004, 10, 20}, TimeOfDay{9, 0, 0}});
    SimRas ras("/nonexistent/vonalor-fuzz/" + std::string(SimRas::FileName), time);
    std::string error;
    if (!ras.loadScenario(std::string(bytes), &error)) {
        expect(error.rfind("line ", 0) == 0, "an error without its line");
        return;
    }
    // Every event runs, in steps of a day at most between them: never a spin.
    ras.attach(time);
    time.advance(SimRas::LongestScenarioSeconds * 1000 + 1000);
    expect(time.ticksFired() <= 4 * 3650 + 4 * bytes.size() + 16, "the scenario's timers spin");
    for (const auto& connection : ras.activeConnections())
        ras.statistics(connection.handle);
}

void regionalTexts(std::string_view bytes) {
    const Regional& regional = Regional::hungarian();
    if (const auto value = regional.parseInt(bytes))
        expect(regional.parseInt(std::to_string(*value)) == value, "a whole number read differently");
    if (const auto value = regional.parseInt64(bytes))
        expect(regional.parseInt64(std::to_string(*value)) == value, "a whole number read differently");
    const auto number = regional.parseFloat(bytes);
    try {
        const long double value = regional.toFloat(bytes);
        expect(number && (*number == value || (*number != *number && value != value)),
               "toFloat and parseFloat differ");
    } catch (const ConversionError&) {
        expect(!number, "toFloat refused what parseFloat read");
    }
    if (number)
        regional.formatFloat(*number);
    if (const auto date = regional.parseDate(bytes))
        expect(regional.parseDate(regional.formatDate(*date)) == date, "a date read back differently");
    if (const auto time = regional.parseTime(bytes))
        expect(regional.parseTime(regional.formatTime(*time)) == time, "a time read back differently");
    TwoDecimals(bytes);
    GroupThousands(bytes);
    digitsOnly(bytes);
}

const std::vector<Target>& targets() {
    static const std::vector<Target> all{
        {"list_view_file", listViewFile}, {"daily_line", dailyLine},     {"books_text", booksText},
        {"sim_phonebook", simPhonebook},  {"sim_scenario", simScenario}, {"regional", regionalTexts},
    };
    return all;
}

} // namespace vonalor::fuzz
