#include "exec/unicode.h"

#include <gtest/gtest.h>

namespace {

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
        {"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},               // the last character of Unicode
    };
    for (const auto& row : rows)
        EXPECT_EQ(utf8ToUtf16(row.text), row.units);
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

TEST(Unicode, PropertiesEscapesAsJavaWritesThem)
{
    // A pair for a character beyond 16 bits; lower-case digits read back; an escaped backslash
    // starts no escape; a short one stays.
    EXPECT_EQ(escapeNonAscii("D:/\xF0\x9F\x98\x80"), "D:/\\uD83D\\uDE00");
    EXPECT_EQ(unescapeUnicode("\\u00e9\\\\u0041\\u12"), "\xC3\xA9\\\\u0041\\u12");
}

} // namespace
