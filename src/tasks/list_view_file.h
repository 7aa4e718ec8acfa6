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

// The 16-bit fields of the file: rows of a list, sub-items of a row, bytes of a text.
inline constexpr std::size_t MaxListViewCount = 0xFFFF;

// What the 16-bit fields forced encodeListViewFile to leave out.
struct ListViewFileCuts {
    std::size_t rows = 0;     // rows past the last one the count can hold
    std::size_t subItems = 0; // sub-items past a row's limit
    std::size_t texts = 0;    // texts whose end was cut
    bool any() const { return rows != 0 || subItems != 0 || texts != 0; }
};

// The list view file: "LVF", a 16-bit row count, then each row as sub-item count,
// image number, caption and sub-items, texts length-prefixed in Windows-1250.
std::string encodeListViewFile(const ListRows& rows, ListViewFileCuts* cuts = nullptr);

struct DecodedList {
    bool markerOk = false;
    // False when the data ended before the announced rows or goes on after them: either way
    // the file is not one this program wrote, and writing the rows back would lose bytes.
    bool complete = false;
    ListRows rows;
};
// Every text is taken as Windows-1250, byte for byte, so a decoded file encodes back to
// the same bytes.
DecodedList decodeListViewFile(std::string_view bytes);

// Writes the rows (atomically); a failure becomes the program log error entry and false.
// A file this run could not read and could not set aside is never overwritten (false).
// Rows or texts beyond the 16-bit fields are cut and the cut is logged.
bool SaveListViewFile(const ListRows& rows, const std::filesystem::path& file, ProgramLog& log);

// Replaces `rows` with the file's rows. A foreign marker shows the "I/O Error" box and
// leaves the list unchanged; a read failure becomes the program log error entry and keeps
// the rows read before it. A file that could not be read whole is renamed aside (logged) so
// that the next save starts a new one instead of destroying it.
bool LoadListViewFile(ListRows& rows, const std::filesystem::path& file, Dialogs& dialogs, ProgramLog& log);

} // namespace vonalor
