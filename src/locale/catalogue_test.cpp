#include "locale/catalogue.h"

#include <gtest/gtest.h>

#include "testing/tempdir.h"

namespace {

TEST(StatusMessage, ByLanguageAndIdEnglishForAnythingElse)
{
    const struct {
        const char* language;
        unsigned id;
        const char* text;
    } cases[] = {
        {"english", 5, "Restarting the installer..."}, {"spanish", 5, "Comienza wizard de nuevo..."},
        {"polish", 3, "Searching for JVM..."},         {"japanese", 4, "JVM をインストール中..."},
        {"German", 1, "Unpacking the installer..."},   {"", 3, "Searching for the JVM..."},
        {"french", 0, ""},                             {"french", 6, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(statusMessage(c.language, c.id), c.text) << c.language << " " << c.id;
}

} // namespace
