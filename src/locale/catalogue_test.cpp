#include "locale/catalogue.h"

#include <gtest/gtest.h>

#include "locale/testlocale.h"
#include "testing/tempdir.h"

namespace {

const char* const Languages[] = {"english", "french",   "german",   "spanish", "polish",
                                 "italian", "portuguese", "japanese", "dutch"};

TEST(StatusMessage, Particulars)
{
    const struct {
        const char* language;
        unsigned id;
        const char* text;
    } cases[] = {
        {"english", 1, "Unpacking the installer..."},
        {"english", 5, "Restarting the installer..."},
        {"german", 1, "Bereite Wizard.."},
        {"german", 2, "Starte Wizard..."},
        {"french", 1, "Pr\u00e9paration Wizard..."},
        {"french", 4, "Recherche de JVM..."},
        {"french", 5, "D\u00e9marrage Wizard..."},
        {"spanish", 1, "Preparando wizard..."},
        {"spanish", 4, "Instala el JVM..."},
        {"spanish", 5, "Comienza wizard de nuevo..."},
        {"portuguese", 1, "Preparando Wizard..."},
        {"polish", 3, "Searching for JVM..."},
        {"polish", 4, "Installing the JVM..."},
        {"dutch", 3, "Searching for JVM..."},
        {"dutch", 4, "Installing the JVM..."},
        {"italian", 2, "Esecuzione..."},
        {"japanese", 2, "."},
        // Names compare exactly: anything else reads English.
        {"German", 1, "Unpacking the installer..."},
        {"klingon", 3, "Searching for the JVM..."},
        {"", 4, "Installing the JVM..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(statusMessage(c.language, c.id), c.text) << c.language << " " << c.id;
}

TEST(StatusMessage, RulesOfTheWholeCatalogue)
{
    for (const char* language : Languages) {
        SCOPED_TRACE(language);
        EXPECT_EQ(statusMessage(language, 0), "");
        EXPECT_EQ(statusMessage(language, 6), "");
        EXPECT_EQ(statusMessage(language, 0xFFFFFFFFu), "");
        for (unsigned id = 1; id <= 5; ++id) {
            EXPECT_FALSE(statusMessage(language, id).empty()) << id;
            EXPECT_LT(statusMessage(language, id).size(), 30u) << id;
        }
        if (std::string(language) == "japanese")
            continue;
        EXPECT_EQ(initialMessage(language), statusMessage(language, 1));
        // Restarting the wizard reads like starting it, except in English and Spanish.
        if (std::string(language) != "english" && std::string(language) != "spanish") {
            EXPECT_EQ(statusMessage(language, 5), statusMessage(language, 2));
        }
    }
    for (const char* language : {"french", "german", "italian", "portuguese"})
        EXPECT_EQ(statusMessage(language, 4), statusMessage(language, 3)) << language;
    for (unsigned id = 1; id <= 5; ++id)
        EXPECT_EQ(statusMessage("japanese", id), ".");
    EXPECT_EQ(initialMessage("japanese"), "\rPreparing wizard...");
    EXPECT_EQ(initialMessage("unknown"), "Unpacking the installer...");
}

TEST(GetMessage, FirstTextInTheUsersLanguage)
{
    const struct {
        const char* locale;
        const char* text;
    } cases[] = {
        {"de-AT", "Bereite Wizard.."},
        {"Japanese", "\rPreparing wizard..."},
        {"fr-BE", "Pr\u00e9paration Wizard..."},
        {"en-US", "Unpacking the installer..."},
    };
    for (const auto& c : cases) {
        testing_support::TempDir work(true);
        testing_support::ScopedLocale locale(c.locale);
        ASSERT_TRUE(locale.ok());
        std::string text = "stale";
        getMessage(nullptr, platform::StatusTextId, text);
        EXPECT_EQ(text, c.text) << c.locale;
    }
}

} // namespace
