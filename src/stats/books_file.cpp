#include "stats/books_file.h"

#include "platform/text_file.h"
#include "text/cp1250.h"

#include <algorithm>
#include <exception>
#include <fstream>

namespace vonalor {

namespace {

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// True when reading the lines and writing them back would give the same bytes: every line ended
// by CR LF, and text that is read as Windows-1250 (plain ASCII reads the same either way).
bool inWrittenForm(std::string_view bytes) {
    if (bytes.empty())
        return true;
    if (bytes.size() < 2 || bytes.substr(bytes.size() - 2) != "\r\n")
        return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            return false; // a line end without its CR
        if (bytes[i] == '\r') {
            if (i + 1 >= bytes.size() || bytes[i + 1] != '\n')
                return false;
            ++i;
        }
    }
    return !isValidUtf8(bytes) || isAscii(bytes);
}

} // namespace

BooksFileRead readBooksBytes(const std::filesystem::path& file, std::string& bytes) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return BooksFileRead::Missing;
    if (ec || status.type() != std::filesystem::file_type::regular)
        return BooksFileRead::Unreadable;
    // The stream library reports some read errors by throwing.
    try {
        std::ifstream in(file, std::ios::binary | std::ios::ate);
        if (!in)
            return BooksFileRead::Unreadable;
        const auto size = static_cast<std::size_t>(in.tellg());
        bytes.assign(size, '\0');
        in.seekg(0);
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return in.bad() ? BooksFileRead::Unreadable : BooksFileRead::Read;
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

std::string appendedBooksBytes(std::string_view oldBytes, const std::vector<std::string>& lines) {
    std::string added;
    for (const std::string& line : lines) {
        added += line;
        added += "\r\n";
    }
    if (inWrittenForm(oldBytes))
        return std::string(oldBytes) + toCp1250(added);
    std::string text;
    for (const std::string& line : splitLines(decodeFileText(oldBytes))) {
        text += line;
        text += "\r\n";
    }
    return toCp1250(text + added);
}

} // namespace vonalor
