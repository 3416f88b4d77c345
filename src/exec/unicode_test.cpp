#include "exec/unicode.h"

#include <gtest/gtest.h>

namespace {

TEST(Unicode, PropertiesEscapesAsJavaWritesThem)
{
    // A pair for a character beyond 16 bits; lower-case digits read back; an escaped backslash
    // starts no escape; a short one stays.
    EXPECT_EQ(escapeNonAscii("D:/\xF0\x9F\x98\x80"), "D:/\\uD83D\\uDE00");
    EXPECT_EQ(unescapeUnicode("\\u00e9\\\\u0041\\u12"), "\xC3\xA9\\\\u0041\\u12");
}

} // namespace
