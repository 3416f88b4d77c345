#include "exec/unicode.h"

#include <gtest/gtest.h>

namespace {

TEST(Unicode, Utf16RoundTrips)
{
    // Every name the system may hand us comes back unit for unit, lone surrogates too.
    const std::u16string names[] = {u"", u"C:\\Temp", u"C:\\Users\\Иван\\AppData", u"D:\\安装\\jre", u"\U0001F600 x",
                                    std::u16string(u"a\xD800z"), std::u16string(u"\xDC00"),
                                    std::u16string(u"\xDBFF\xDBFF\xDFFF")};
    for (const std::u16string& name : names)
        EXPECT_EQ(utf8ToUtf16(utf16ToUtf8(name)), name);
    EXPECT_EQ(utf16ToUtf8(u"Zoë Иван 安\U0001F600"), "Zo\xC3\xAB \xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xE5\xAE\x89\xF0\x9F\x98\x80");
}

TEST(Unicode, InvalidUtf8BecomesReplacement)
{
    const struct {
        std::string text;
        std::u16string units;
    } rows[] = {
        {"a\x80z", u"a\xFFFDz"},         // a stray continuation byte
        {"\xC0\xAF", u"\xFFFD\xFFFD"},   // an overlong form
        {"\xE5\xAE", u"\xFFFD\xFFFD"},   // cut short
        {"\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"}, // beyond U+10FFFF
    };
    for (const auto& row : rows)
        EXPECT_EQ(utf8ToUtf16(row.text), row.units);
}

TEST(Unicode, TextFilesByTheirMarks)
{
    const struct {
        std::string bytes;
        std::string text;
    } rows[] = {
        {"\xEF\xBB\xBF" "C:\\\xD0\x98", "C:\\\xD0\x98"},              // UTF-8: every character kept
        {std::string("\xFF\xFE" "C\0:\0\x18\x04", 8), "C:\xD0\x98"},     // UTF-16 little-endian
        {std::string("\xFF\xFE" "C\0:", 5), "C"},                        // an odd last byte dropped
        {"C:\\x", "C:\\x"},                                              // no mark: the ANSI code page
    };
    for (const auto& row : rows)
        EXPECT_EQ(textFileUtf8(row.bytes), row.text);
}

TEST(Unicode, PropertiesEscapesBothWays)
{
    const struct {
        std::string text;
        std::string escaped;
    } rows[] = {
        {"C:/Temp/jre", "C:/Temp/jre"},
        {"C:/Users/\xD0\x98\xD0\xB2/jre", "C:/Users/\\u0418\\u0432/jre"},
        {"D:/\xE5\xAE\x89", "D:/\\u5B89"},
        {"\xF0\x9F\x98\x80", "\\uD83D\\uDE00"}, // a pair, as Java writes it
    };
    for (const auto& row : rows) {
        EXPECT_EQ(escapeNonAscii(row.text), row.escaped);
        EXPECT_EQ(unescapeUnicode(row.escaped), row.text);
    }
    // Java's own writing: lower-case digits; an escaped backslash starts no escape; a short one stays.
    EXPECT_EQ(unescapeUnicode("\\u00e9\\\\u0041\\u12"), "\xC3\xA9\\\\u0041\\u12");
}

TEST(Unicode, LogTextKeepsEveryCharacter)
{
    const struct {
        std::string text;
        std::string logged;
    } rows[] = {
        {"C:\\\xD0\x98 \xE5\xAE\x89", "C:\\\xD0\x98 \xE5\xAE\x89"},
        {"a\xED\xA0\x80z", "a\\uD800z"}, // a lone surrogate of a file name
        {"a\xFFz\xC3", "a\\xFFz\\xC3"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(loggableText(row.text), row.logged);
}

} // namespace
