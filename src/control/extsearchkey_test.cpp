#include "control/extsearchkey.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "testing/tempdir.h"

TEST(ExtendedJvmSearchKey, OnUnlessTheLastLineSaysFalseOrNo)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"", true},
        {"extendedJvmSearch=no\n", false},
        {"extendedJvmSearch=FALSE\n", false},
        {"extendedJvmSearch=off\n", true},
        {"extendedJvmSearch=\n", true},
        {"# extendedJvmSearch=no\n", true},
        {"extendedJvmSearch=yes\nextendedJvmSearch=No\n", false},
        {"extendedJvmSearch=no\nextendedJvmSearch=true\n", true},
    };
    for (const auto& [content, expected] : cases) {
        testing_support::TempDir dir(true);
        dir.write("qbx.control", content);
        EXPECT_EQ(readExtendedJvmSearch(), expected) << content;
    }
    testing_support::TempDir noControlFile(true);
    EXPECT_TRUE(readExtendedJvmSearch());
}
