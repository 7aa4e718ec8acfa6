// vonalorctl: settings and list files.

#include "app/ctl_commands.h"
#include "core/data_home.h"
#include "platform/atomic_file.h"
#include "settings/settings_store.h"
#include "settings/value_rules.h"
#include "tasks/list_view_file.h"

#include <optional>
#include <ostream>

namespace vonalor {

namespace {

std::optional<ListRows> readListFile(CtlContext& ctx, const std::filesystem::path& file) {
    std::string bytes;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) || !readWholeFile(file, bytes)) {
        ctx.err << "vonalorctl: " << file.string() << ": no such file\n";
        return std::nullopt;
    }
    DecodedList decoded = decodeListViewFile(bytes);
    if (!decoded.markerOk) {
        ctx.err << "vonalorctl: " << file.string() << ": not a list file (it does not begin with LVF)\n";
        return std::nullopt;
    }
    if (!decoded.complete)
        ctx.err << "vonalorctl: " << file.string() << ": the file ends before its last row\n";
    return std::move(decoded.rows);
}

int printList(CtlContext& ctx, const std::filesystem::path& file, bool programLog) {
    const auto rows = readListFile(ctx, file);
    if (!rows)
        return CtlFailure;
    for (const ListRow& row : *rows) {
        if (programLog)
            ctx.out << row.caption << "\t" << row.imageIndex;
        else
            ctx.out << row.imageIndex << "\t" << row.caption;
        for (const std::string& sub : row.subItems)
            ctx.out << "\t" << sub;
        ctx.out << "\n";
    }
    return CtlOk;
}

} // namespace

std::vector<CtlCommand> settingsCommands() {
    return {
        {"get", "NAME", "print a setting's text (exit 1 when it does not exist)", 1, 1,
         [](CtlContext& ctx, const std::vector<std::string>& args) {
             const auto result =
                 ctx.platform.registry().read(RegistryRoot::LocalMachine, ProgramKey, args[0]);
             if (result.status != Registry::Status::Found) {
                 ctx.err << "vonalorctl: no setting named " << args[0] << "\n";
                 return CtlFailure;
             }
             ctx.out << result.text << "\n";
             return CtlOk;
         }},
        {"set", "NAME TEXT", "store a setting", 2, 2,
         [](CtlContext& ctx, const std::vector<std::string>& args) {
             // A value the books read as a number must be one they can hold.
             if (const auto kind = numericKindOf(args[0])) {
                 if (const std::string problem = valueProblem(*kind, args[1]); !problem.empty()) {
                     ctx.err << "vonalorctl: " << args[0] << ": " << problem << "\n";
                     return CtlFailure;
                 }
             }
             if (!ctx.platform.registry().write(RegistryRoot::LocalMachine, ProgramKey, args[0], args[1])) {
                 ctx.err << "vonalorctl: cannot write the setting store in " << ctx.home.string() << "\n";
                 return CtlFailure;
             }
             return CtlOk;
         }},
        {"values", "", "every setting in creation order, as name|text lines", 0, 0,
         [](CtlContext& ctx, const std::vector<std::string>&) {
             for (const auto& [name, text] :
                  ctx.platform.registry().values(RegistryRoot::LocalMachine, ProgramKey))
                 ctx.out << name << "|" << text << "\n";
             return CtlOk;
         }},
        {"program-log", "", "the program log file: time stamp, icon, text (tab-separated)", 0, 0,
         [](CtlContext& ctx, const std::vector<std::string>&) {
             return printList(ctx, ctx.home / ProgramLogFileName, true);
         }},
        {"dump-list", "FILE", "any list file: image number, caption, sub-items (tab-separated)", 1, 1,
         [](CtlContext& ctx, const std::vector<std::string>& args) {
             return printList(ctx, args[0], false);
         }},
    };
}

} // namespace vonalor
