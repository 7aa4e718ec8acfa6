#include "stats/billing_period.h"

#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/text_file.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"
#include "stats/books_file.h"
#include "stats/session_log.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"
#include "text/regional.h"

#include <algorithm>
#include <cstdio>

namespace vonalor {

namespace {

std::string twoDigitDay(int day) {
    char text[12];
    std::snprintf(text, sizeof text, "%02d", day);
    return text;
}

} // namespace

std::string sameDayNextMonth(const Date& date, bool trailingDot) {
    Date next{date.month == 12 ? date.year + 1 : date.year, date.month == 12 ? 1 : date.month + 1, date.day};
    next.day = std::min(next.day, daysInMonth(next.year, next.month));
    std::string text = Regional::hungarian().formatDate(next);
    if (!trailingDot)
        text.pop_back();
    return text;
}

std::string nextPeriodEnd(const Date& start, int billingDay) {
    Date aim = start;
    if (start.day == daysInMonth(start.year, start.month) && billingDay > start.day && billingDay <= 31)
        aim.day = billingDay;
    return sameDayNextMonth(aim, false);
}

void InitBillingPeriod(SettingsStore& store, const Date& today) {
    store.WriteSetting(setting::KezdoDatum, Regional::hungarian().formatDate(today));
    store.WriteSetting(setting::VegDatum, sameDayNextMonth(today, true));
    store.WriteSetting(setting::DatumTolIg, twoDigitDay(today.day));
}

void changeBillingDay(SettingsStore& store, ProgramLog& log, int itemIndex) {
    if (itemIndex < 0 || itemIndex > 27)
        return;
    const int day = itemIndex + 1;
    store.WriteSetting(setting::DatumTolIg, std::to_string(day));
    const std::string d = twoDigitDay(day);
    store.WriteSetting(setting::KezdoDatum, store.ReadSetting(setting::KezdoDatum).substr(0, 8) + d);
    store.WriteSetting(setting::VegDatum, store.ReadSetting(setting::VegDatum).substr(0, 8) + d);
    log.AddProgramLogEntry(ProgramLog::Event, "Kezdő és befejező dátum módosítva");
}

std::filesystem::path archiveFolder(const std::filesystem::path& home) {
    return home / "Naplo";
}

std::filesystem::path archiveFile(const std::filesystem::path& home, const std::string& startText,
                                  const std::string& endText) {
    return archiveFolder(home) / (startText + " - " + endText + ".txt");
}

std::vector<std::string> statisticsBlock(SettingsStore& store, const std::vector<std::string>& connections) {
    const std::string rule(57, '^');
    std::vector<std::string> block{" ", " ", rule,
                                   std::string(40, ' ') + "STATISZTIKA" + std::string(41, ' '), " "};
    for (const std::string& name : connections) {
        block.push_back(name + " kapcsolódások száma : " + store.ReadSetting(name + "KapcsSzama"));
        block.push_back(name + " összköltség" + std::string(18, ' ') + ": " +
                        store.ReadSetting(name + "OsszKoltseg"));
        block.push_back(name + " összidőtartam" + std::string(15, ' ') + ": " +
                        store.ReadSetting(name + "OsszOra") + ":" + store.ReadSetting(name + "OsszPerc") +
                        ":" + store.ReadSetting(name + "OsszMPerc") + ":");
        block.push_back(" ");
        block.push_back(" ");
    }
    block.push_back(rule);
    return block;
}

bool finishRollover(SettingsStore& store, const std::filesystem::path& home) {
    const std::string mark = store.ReadSettingQuiet(RolloverMarkSetting);
    if (mark.empty())
        return true;
    // The log is emptied only while it holds what went into the archive: at most the entries
    // a crash left there, never a session booked since.
    const std::filesystem::path logFile = sessionLogFile(home);
    std::string logBytes;
    std::string archived;
    const BooksFileRead read = readBooksBytes(logFile, logBytes);
    if (read == BooksFileRead::Unreadable)
        return false;
    if (read == BooksFileRead::Read && !logBytes.empty()) {
        if (!readWholeFile(archiveFolder(home) / mark, archived) || !archived.starts_with(logBytes)) {
            store.log().AddProgramLogEntry(ProgramLog::Error, "A(z) " + SessionLogFileName +
                                                                  " nem egyezik a(z) Naplo/" + mark +
                                                                  " archívummal, ezért nem lett kiürítve!");
            store.registry().remove(RegistryRoot::LocalMachine, ProgramKey, RolloverMarkSetting);
            return true;
        }
        if (!writeFileAtomically(logFile, "")) {
            store.log().AddProgramLogEntry(ProgramLog::Error, "Fájl írási hiba(" + SessionLogFileName + ")!");
            return false;
        }
    }
    store.registry().remove(RegistryRoot::LocalMachine, ProgramKey, RolloverMarkSetting);
    return true;
}

bool closeDuePeriod(SettingsStore& store, const std::filesystem::path& home, const Clock& clock,
                    const std::vector<std::string>& connections) {
    const Regional& regional = Regional::hungarian();
    const std::string startText = store.ReadSetting(setting::KezdoDatum);
    const std::string endText = store.ReadSetting(setting::VegDatum);
    const auto date = [&](const char* name, const std::string& text) {
        if (const auto value = regional.parseDate(text))
            return *value;
        throw ConversionError("'" + text + "' is not a valid date", name, text);
    };
    const Date start = date("KezdoDatum", startText);
    const Date end = date("VegDatum", endText);
    const Date today = clock.now().date;
    if (today <= start || today < end)
        return false;

    // A rollover cut short must be finished before another one starts.
    if (!finishRollover(store, home))
        return false;

    const std::filesystem::path archive = archiveFile(home, startText, endText);
    ProgramLog& log = store.log();
    const std::filesystem::path logFile = sessionLogFile(home);
    std::string bytes;
    // A log that is there but cannot be read must not be archived as empty and then emptied.
    if (readBooksBytes(logFile, bytes) == BooksFileRead::Unreadable) {
        log.AddProgramLogEntry(ProgramLog::Error, "Fájl olvasási hiba(" + SessionLogFileName + ")!");
        return false;
    }
    const std::string archived = appendedBooksBytes(bytes, statisticsBlock(store, connections));

    // The archive is written before the log is touched: a crash in between leaves the log as
    // it was (and no second block in it), and the archive is never a half copy. An archive of
    // this name counts the period as closed, unless it is this very archive, written by a
    // rollover that was cut short before the period moved on.
    std::error_code ec;
    if (std::filesystem::exists(archive, ec) || ec) {
        std::string existing;
        if (!readWholeFile(archive, existing) || existing != archived)
            return false;
    } else {
        std::filesystem::create_directories(archiveFolder(home), ec);
        if (!writeFileAtomically(archive, archived)) {
            log.AddProgramLogEntry(ProgramLog::Error,
                                   "Fájl írási hiba(Naplo/" + archive.filename().string() + ")!");
            return false;
        }
    }

    // The new period and the reset totals in one transaction, with the mark that the log is
    // still to be emptied: no crash or full disk can leave the period half moved on.
    const auto billingDay = regional.parseInt(store.ReadSettingQuiet(setting::DatumTolIg));
    std::vector<std::pair<std::string, std::string>> values = {
        {"KezdoDatum", endText},
        {"VegDatum", nextPeriodEnd(end, billingDay.value_or(end.day))},
    };
    for (const std::string& name : connections) {
        for (const char* suffix : {"OsszOra", "OsszPerc", "OsszMPerc"})
            values.emplace_back(name + suffix, "00");
        values.emplace_back(name + "OsszKoltseg", "0");
        values.emplace_back(name + "KapcsSzama", "0");
    }
    values.emplace_back(RolloverMarkSetting, archive.filename().string());
    if (!store.WriteSettings(values))
        return false;
    finishRollover(store, home);
    return true;
}

} // namespace vonalor
