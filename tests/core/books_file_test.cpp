// Appending to the books' files gives the bytes that reading every line and writing all back gives.

#include "test_support.h"

#include "platform/text_file.h"
#include "stats/books_file.h"

namespace vonalor::test {
namespace {

TEST(BooksFile, AppendingEqualsReadingAndWritingEveryLine) {
    const std::vector<std::string> added{"Kapcsolat költsége: 142 Ft", " ", ""};
    const struct {
        const char* name;
        std::string before;
    } cases[] = {
        {"empty", ""},
        {"Windows-1250, CR LF", "K\xFCld\xF6tt\r\n \r\n"},
        {"ASCII, CR LF", "abc\r\n\r\n"},
        {"UTF-8, LF", "Küldött\n \n"},
        {"UTF-8 with a BOM", "\xEF\xBB\xBF"
                             "abc\r\n"},
        {"Windows-1250, LF", "K\xFCld\xF6tt\n"},
        {"no final line end", "K\xFCld\xF6tt\r\nutols\xF3"},
        {"a lone CR", "a\rb\r\n"},
        {"LF CR", "a\n\rb\r\n"},
        {"undefined code page bytes", "\x81\x83\x88\x90\x98\r\n"},
    };
    TempHome home;
    for (const auto& c : cases) {
        writeFile(home / "before.txt", c.before);
        std::vector<std::string> lines;
        ASSERT_TRUE(readAnsiLines(home / "before.txt", lines)) << c.name;
        lines.insert(lines.end(), added.begin(), added.end());
        ASSERT_TRUE(writeAnsiLines(home / "after.txt", lines)) << c.name;
        EXPECT_EQ(appendedBooksBytes(c.before, added), readFile(home / "after.txt")) << c.name;
    }
    EXPECT_EQ(appendedBooksBytes("Küldött\n", {"ő"}), "K\xFCld\xF6tt\r\n\xF5\r\n");
}

TEST(BooksFile, AMissingFileIsToldApartFromOneThatCannotBeRead) {
    TempHome home;
    std::string bytes = "old";
    EXPECT_EQ(readBooksBytes(home / "nincs.txt", bytes), BooksFileRead::Missing);
    std::filesystem::create_directory(home / "mappa.txt");
    EXPECT_EQ(readBooksBytes(home / "mappa.txt", bytes), BooksFileRead::Unreadable);
    writeFile(home / "van.txt", std::string("a\0b\r\n", 5));
    EXPECT_EQ(readBooksBytes(home / "van.txt", bytes), BooksFileRead::Read);
    EXPECT_EQ(bytes, std::string("a\0b\r\n", 5));
}

} // namespace
} // namespace vonalor::test
