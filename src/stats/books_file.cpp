#include "stats/books_file.h"

#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "text/cp1250.h"

#include <exception>

namespace vonalor {

BooksFileRead readBooksBytes(const std::filesystem::path& file, std::string& bytes) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return BooksFileRead::Missing;
    if (ec || status.type() != std::filesystem::file_type::regular)
        return BooksFileRead::Unreadable;
    // The stream library reports some read errors by throwing.
    try {
        return readWholeFile(file, bytes) ? BooksFileRead::Read : BooksFileRead::Unreadable;
    } catch (const std::exception&) {
        return BooksFileRead::Unreadable;
    }
}

BooksFileRead readBooksLines(const std::filesystem::path& file, std::vector<std::string>& lines) {
    std::string bytes;
    const BooksFileRead result = readBooksBytes(file, bytes);
    lines = result == BooksFileRead::Read ? splitLines(decodeFileText(bytes)) : std::vector<std::string>{};
    return result;
}

} // namespace vonalor
