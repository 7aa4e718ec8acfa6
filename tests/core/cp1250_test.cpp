#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <string>

namespace vonalor {
namespace {

struct Mapping {
    const char* utf8;
    unsigned char byte;
};

// The Hungarian letters and the punctuation the stored texts use.
constexpr Mapping kMappings[] = {
    {"á", 0xE1}, {"é", 0xE9},      {"í", 0xED}, {"ó", 0xF3}, {"ö", 0xF6}, {"ő", 0xF5}, {"ú", 0xFA},
    {"ü", 0xFC}, {"ű", 0xFB},      {"Á", 0xC1}, {"É", 0xC9}, {"Í", 0xCD}, {"Ó", 0xD3}, {"Ö", 0xD6},
    {"Ő", 0xD5}, {"Ú", 0xDA},      {"Ü", 0xDC}, {"Ű", 0xDB}, {"€", 0x80}, {"„", 0x84}, {"”", 0x94},
    {"–", 0x96}, {"\u00A0", 0xA0}, {"§", 0xA7}, {"°", 0xB0}, {"Ł", 0xA3}, {"ţ", 0xFE}, {"˙", 0xFF},
};

TEST(Cp1250, MapsSingleCharacters) {
    for (const auto& m : kMappings) {
        const std::string byte(1, static_cast<char>(m.byte));
        EXPECT_EQ(toCp1250(m.utf8), byte) << m.utf8;
        EXPECT_EQ(fromCp1250(byte), m.utf8) << static_cast<int>(m.byte);
    }
}

TEST(Cp1250, HungarianSentenceRoundTrips) {
    const std::string text = "Árvíztűrő tükörfúrógép – ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP, 12,5 Ft/perc";
    const std::string bytes = toCp1250(text);
    EXPECT_EQ(bytes.size(), 61u); // one byte per character
    EXPECT_EQ(fromCp1250(bytes), text);
}

TEST(Cp1250, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = fromCp1250(byte);
        EXPECT_TRUE(isValidUtf8(utf8)) << b;
        EXPECT_EQ(toCp1250(utf8), byte) << b;
    }
}

TEST(Cp1250, UndefinedBytesKeepTheirValue) {
    // 0x81 and friends have no letter; they travel as the C1 control of the same number.
    EXPECT_EQ(fromCp1250("\x81"), "\u0081");
    EXPECT_EQ(fromCp1250("\x98"), "\u0098");
}

TEST(Cp1250, UnmappableAndBrokenInputBecomeQuestionMarks) {
    struct Case {
        const char* utf8;
        const char* bytes;
    };
    const Case cases[] = {
        {"漢字", "??"},
        {"a😀b", "a?b"},
        {"ñ", "?"}, // Spanish letter, not in the Central European page
        {"ø", "?"},
        {"\xC3", "?"},         // cut-off sequence
        {"x\xFFy", "x?y"},     // a byte UTF-8 never uses
        {"\xC0\xAF", "??"},    // overlong '/'
        {"\xED\xA0\x80", "?"}, // a surrogate is one (invalid) code point
    };
    for (const auto& c : cases)
        EXPECT_EQ(toCp1250(c.utf8), c.bytes) << c.utf8;
}

TEST(Utf8, Validity) {
    struct Case {
        const char* bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"plain ascii", true},
        {"őű", true},
        {"€", true},
        {"😀", true},
        {"\xF4\x8F\xBF\xBF", true},  // U+10FFFF
        {"\xF4\x90\x80\x80", false}, // past U+10FFFF
        {"\xC3", false},
        {"\xC3(", false},
        {"\x80", false},
        {"\xC1\xBF", false},         // overlong
        {"\xE0\x9F\xBF", false},     // overlong
        {"\xF0\x8F\xBF\xBF", false}, // overlong
        {"\xED\xA0\x80", false},     // surrogate
        {"\xF5\x80\x80\x80", false},
        {"\xF5", false}, // "ő" in Windows-1250
    };
    for (const auto& c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << "[" << c.bytes << "]";
}

TEST(DecodeFileText, ChoosesTheEncoding) {
    struct Case {
        std::string bytes;
        std::string text;
    };
    const std::string bom = "\xEF\xBB\xBF";
    const Case cases[] = {
        {bom + "Díjszabás", "Díjszabás"},
        {"Díjszabás", "Díjszabás"},
        {"D\xEDjszab\xE1s", "Díjszabás"},
        {bom, ""},
        {"", ""},
        {"T\xFCk\xF6r\xFB", "Tükörű"},
        // A BOM followed by code page bytes is not UTF-8: the whole file is read as code page text.
        {bom + "\xF5", "ď»żő"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeFileText(c.bytes), c.text) << c.bytes;
}

} // namespace
} // namespace vonalor
