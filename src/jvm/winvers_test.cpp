#include "jvm/winvers.h"

#include <gtest/gtest.h>

#include "platform/system.h"

namespace {

TEST(WinVersion, EverySupportedSystemIsOfTheNtFamily)
{
    // Both builds run on NT-family systems only (Wine reports one too); the answer is kept.
    EXPECT_EQ(platform::getVersion() & 0x80000000u, 0u);
    WinVersion version;
    EXPECT_TRUE(version.winNT());
    EXPECT_TRUE(version.winNT());
}

} // namespace
