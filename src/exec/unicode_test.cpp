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

} // namespace
