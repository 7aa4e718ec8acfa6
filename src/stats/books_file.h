#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vonalor {

enum class BooksFileRead { Read, Missing, Unreadable };

// The lines of one of the books' text files. A file that is there but cannot be read (a folder
// in its place, a read error) is told apart from a missing one, so that it is never taken for
// empty and overwritten.
BooksFileRead readBooksLines(const std::filesystem::path& file, std::vector<std::string>& lines);
// The same for the raw bytes.
BooksFileRead readBooksBytes(const std::filesystem::path& file, std::string& bytes);

// A file's bytes after its lines are read and written back with `lines` after them:
// Windows-1250, CR LF. A file already in that form only gets the new bytes appended, so a
// booking does not convert the whole period's log again.
std::string appendedBooksBytes(std::string_view oldBytes, const std::vector<std::string>& lines);

} // namespace vonalor
