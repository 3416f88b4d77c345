#include "locale/language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "locale/testlocale.h"
#include "testing/tempdir.h"

namespace {

using testing_support::readFile;
using testing_support::ScopedLocale;
using testing_support::TempDir;

// Reads a text-mode file the same way on every system.
std::string records(const std::filesystem::path& file)
{
    std::string text = readFile(file);
    std::erase(text, '\r');
    return text;
}

TEST(GetLanguage, ReadsTheUsersLocaleAndAppendsTheDecisionToAnExistingLog)
{
    // Of a long locale 200 bytes are kept: the accented letter at 199..200 is cut in two.
    const std::string longLocale = "Deutsch" + std::string(192, 'x') + "\u00e9" + std::string(100, 'y');
    const struct {
        std::string locale;
        bool log; // a log was there before
        const char* language;
        std::string records;
    } cases[] = {
        {"fr-FR", true, "french", "French found locale: fr-fr language: french\ngetLang locale: fr-FR language: french\n"},
        {"Netherlands", true, "english",
         "English found locale: netherlands language: english\ngetLang locale: Netherlands language: english\n"},
        {"", true, "english", ""}, // nothing to decide on, nothing recorded
        {"Polish", false, "polish", ""},
        {longLocale, true, "german", "German found locale: deutsch" + std::string(192, 'x') + " language: german\n"},
    };
    for (const auto& c : cases) {
        TempDir work(true);
        ScopedLocale scoped(c.locale);
        ASSERT_TRUE(scoped.ok());
        if (c.log)
            work.write(LocaleLogFilename, "earlier\n");
        std::string language = "stale";
        getLanguage(language);
        EXPECT_EQ(language, c.language) << c.locale;
        EXPECT_EQ(std::filesystem::exists(work.path() / LocaleLogFilename), c.log) << c.locale;
        std::string log = c.log ? records(work.path() / LocaleLogFilename) : "";
        // The long locale's second record differs by system: only its first is compared.
        if (c.locale == longLocale)
            log.resize(std::min(log.size(), 8 + c.records.size()));
        EXPECT_EQ(log, c.log ? "earlier\n" + c.records : "") << c.locale;
    }
}

} // namespace
