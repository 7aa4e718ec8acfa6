#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vonalor {

enum class BooksFileRead { Read, Missing, Unreadable };

// The lines of one of the books' text files. A file that is there but cannot be read (a folder
// in its place, a read error) is told apart from a missing one, so that it is never taken for
// empty and overwritten.
BooksFileRead readBooksLines(const std::filesystem::path& file, std::vector<std::string>& lines);
// The same for the raw bytes.
BooksFileRead readBooksBytes(const std::filesystem::path& file, std::string& bytes);

} // namespace vonalor
