#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vonalor {

class Dialogs;
class ProgramLog;

// One row of a report list: caption, sub-items, small picture number.
struct ListRow {
    std::string caption;
    std::vector<std::string> subItems;
    std::int32_t imageIndex = 0;
    bool operator==(const ListRow&) const = default;
};
using ListRows = std::vector<ListRow>;

// The list view file: "LVF", a 16-bit row count, then each row as sub-item count,
// image number, caption and sub-items, texts length-prefixed in Windows-1250.
std::string encodeListViewFile(const ListRows& rows);

struct DecodedList {
    bool markerOk = false;
    bool complete = false; // false when the data ended before the announced rows
    ListRows rows;
};
DecodedList decodeListViewFile(std::string_view bytes);

// Writes the rows (atomically); a failure becomes the program log error entry.
bool SaveListViewFile(const ListRows& rows, const std::filesystem::path& file, ProgramLog& log);

// Replaces `rows` with the file's rows. A foreign marker shows the "I/O Error" box and
// leaves the list unchanged; a read failure becomes the program log error entry and keeps
// the rows read before it.
bool LoadListViewFile(ListRows& rows, const std::filesystem::path& file, Dialogs& dialogs, ProgramLog& log);

} // namespace vonalor
