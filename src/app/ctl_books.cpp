// vonalorctl: the books (period totals, daily statistics, session log).

#include "app/ctl_commands.h"
#include "platform/text_file.h"
#include "settings/connection_record.h"
#include "settings/settings_store.h"
#include "stats/billing_period.h"
#include "stats/books_file.h"
#include "stats/daily_statistics.h"
#include "stats/session_log.h"
#include "text/cp1250.h"
#include "text/regional.h"

#include <limits>
#include <optional>
#include <ostream>

namespace vonalor {

namespace {

// True when the file was read; otherwise says why not.
bool reportedRead(CtlContext& ctx, const std::filesystem::path& file, BooksFileRead read) {
    if (read == BooksFileRead::Missing)
        ctx.err << "vonalorctl: " << file.string() << ": no such file\n";
    else if (read == BooksFileRead::Unreadable)
        ctx.err << "vonalorctl: " << file.string() << ": cannot be read\n";
    return read == BooksFileRead::Read;
}

constexpr std::size_t AnyCount = std::numeric_limits<std::size_t>::max();

struct Option {
    std::string name;
    std::optional<std::string>* slot;
};

// Plain words and "--name VALUE" / "--name=VALUE" options in any order; each option once.
std::vector<std::string> parseWords(const std::string& command, const std::vector<std::string>& args,
                                    const std::vector<Option>& options) {
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            words.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const Option* option = nullptr;
        for (const Option& candidate : options) {
            if (candidate.name == name)
                option = &candidate;
        }
        if (!option) {
            std::string known;
            for (const Option& candidate : options)
                known += (known.empty() ? "" : " and ") + candidate.name;
            throw CtlUsageError{
                command + " has no option " + name +
                (known.empty() ? std::string(" (it takes none)") : " (it takes " + known + ")")};
        }
        if (option->slot->has_value())
            throw CtlUsageError{name + " is given twice"};
        if (equals != std::string::npos)
            *option->slot = arg.substr(equals + 1);
        else if (i + 1 < args.size())
            *option->slot = args[++i];
        else
            throw CtlUsageError{name + " needs a value"};
    }
    return words;
}

Date dateOption(const std::string& name, const std::string& text) {
    const auto date = Regional::hungarian().parseDate(text);
    if (!date)
        throw CtlUsageError{name + " takes a date of the form YYYY.MM.DD. (2004.10.25.), not '" + text + "'"};
    return *date;
}

bool recordExists(CtlContext& ctx, const std::string& connection) {
    return ctx.platform.registry()
               .read(RegistryRoot::LocalMachine, ProgramKey, connection + "KapcsSzama")
               .status == Registry::Status::Found;
}

int totals(CtlContext& ctx, const std::vector<std::string>& args) {
    const std::vector<std::string> words = parseWords("totals", args, {});
    if (words.size() > 1)
        throw CtlUsageError{"totals takes at most one CONNECTION, got " + std::to_string(words.size())};
    const std::vector<std::string> connections = words.empty() ? ctx.platform.ras().entries() : words;
    int result = CtlOk;
    for (const std::string& name : connections) {
        if (!recordExists(ctx, name)) {
            ctx.err << "vonalorctl: " << name << " has no connection record\n";
            result = CtlFailure;
            continue;
        }
        auto value = [&](const char* suffix) { return ctx.store.ReadSettingQuiet(name + suffix); };
        ctx.out << name << "\t" << value("KapcsSzama") << "\t" << value("OsszOra") << ":" << value("OsszPerc")
                << ":" << value("OsszMPerc") << "\t" << value("OsszKoltseg") << "\t" << value("KuldottBajt")
                << "\t" << value("FogadottBajt") << "\n";
    }
    return result;
}

int daily(CtlContext& ctx, const std::vector<std::string>& args) {
    std::optional<std::string> fromText;
    std::optional<std::string> toText;
    const std::vector<std::string> words =
        parseWords("daily", args, {{"--from", &fromText}, {"--to", &toText}});
    if (words.size() != 1 || words.front().empty())
        throw CtlUsageError{"daily needs exactly one CONNECTION whose daily statistics to print"};
    // Without a bound the range is open on that side.
    const Date from = fromText ? dateOption("--from", *fromText) : Date{1, 1, 1};
    const Date to = toText ? dateOption("--to", *toText) : Date{9999, 12, 31};
    if (to < from)
        throw CtlUsageError{"--from " + *fromText + " lies after --to " + *toText};

    if (const std::string problem = entryNameProblem(words.front()); !problem.empty())
        throw CtlUsageError{"\"" + words.front() + "\" nem lehet kapcsolat neve: " + problem};
    const std::filesystem::path file = dailyStatisticsFile(ctx.home, words.front());
    std::vector<std::string> lines;
    if (!reportedRead(ctx, file, readBooksLines(file, lines)))
        return CtlFailure;
    int result = CtlOk;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto line = parseDailyLine(lines[i]);
        if (!line) {
            ctx.err << "vonalorctl: " << file.string() << ":" << i + 1
                    << ": not a daily statistics line: " << lines[i] << "\n";
            result = CtlFailure;
            continue;
        }
        if (line->date < from || to < line->date)
            continue;
        ctx.out << line->dateText << "\t" << line->cost << "\t" << line->minutes << "\t" << line->megabytes
                << "\n";
    }
    return result;
}

int printLog(CtlContext& ctx, const std::vector<std::string>& args) {
    std::optional<std::string> archive;
    const std::vector<std::string> words = parseWords("log", args, {{"--archive", &archive}});
    if (!words.empty())
        throw CtlUsageError{"log takes no words but --archive NAME, not '" + words.front() + "'"};
    std::filesystem::path file = sessionLogFile(ctx.home);
    if (archive) {
        // Only a file of the archive folder: a name, not a path.
        if (archive->empty() || *archive == "." || *archive == ".." ||
            archive->find('/') != std::string::npos)
            throw CtlUsageError{"--archive takes the name of a file in the Naplo folder, not '" + *archive +
                                "'"};
        // The names end in "..txt" or ".txt"; the extension may be left off.
        file = archiveFolder(ctx.home) / *archive;
        std::error_code ec;
        if (!std::filesystem::exists(file, ec) && !archive->ends_with(".txt"))
            file = archiveFolder(ctx.home) / (*archive + ".txt");
    }
    std::string bytes;
    if (!reportedRead(ctx, file, readBooksBytes(file, bytes)))
        return CtlFailure;
    for (const std::string& line : splitLines(decodeFileText(bytes)))
        ctx.out << line << "\n";
    return CtlOk;
}

} // namespace

std::vector<CtlCommand> booksCommands() {
    return {
        {"totals", "[CONNECTION]",
         "period totals and byte totals: name, sessions, h:m:s, cost, sent, received (tab-separated)", 0,
         AnyCount, totals},
        {"daily", "CONNECTION [--from DATE] [--to DATE]",
         "the daily statistics: date, cost, minutes, megabytes (tab-separated)", 1, AnyCount, daily},
        {"log", "[--archive NAME]", "the session log, or a closed period's archive from Naplo", 0, AnyCount,
         printLog},
    };
}

} // namespace vonalor
