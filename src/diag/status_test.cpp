#include "diag/status.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "locale/testlocale.h"
#include "testing/tempdir.h"

namespace {

const char* const Languages[] = {"english", "french",   "german",   "spanish", "polish",
                                 "italian", "portuguese", "japanese", "dutch"};

TEST(ErrorSuffix, OneRowPerLanguage)
{
    const struct {
        const char* language;
        const char* start; // the suffix begins with this
        const char* word;  // and contains this (accented letters as UTF-8)
    } cases[] = {
        {"english", "\n\nSee errors.log", "files for details."},
        {"french", "\n\nVeuillez examiner", "pour plus de d\u00e9tails sur l'erreur."},
        {"german", "\n\nBitte \u00fcberpr\u00fcfen Sie", "f\u00fcr n\u00e4here Angaben"},
        {"spanish", "\n\nRevise por favor", "para m\u00e1s detalles"},
        {"polish", "\n\nW celu uzyskania dok\u0142adnej", "o b\u0142\u0119dach prosz\u0119 przejrze\u0107 pliki"},
        {"italian", "\n\nPrego, controlla", "errors.log and jinstall.log per maggiori"},
        {"portuguese", "\n\nPor favor, verifique", "a respeito do erro."},
        {"japanese", "\n\nPlease review the", "for more details about the error."},
        {"dutch", "\n\nLees a.u.b.", "errors.log- en jinstall.log-bestanden"},
        {"Dutch", "\n\nSee errors.log", "files for details."},
        {"", "\n\nSee errors.log", "files for details."},
    };
    for (const auto& c : cases) {
        std::string suffix = errorSuffix(c.language);
        EXPECT_EQ(suffix.rfind(c.start, 0), 0u) << c.language << ": " << suffix;
        EXPECT_NE(suffix.find(c.word), std::string::npos) << c.language << ": " << suffix;
    }
    // No two languages share a suffix, and none is left with a replacement character.
    for (const char* a : Languages) {
        EXPECT_EQ(std::string(errorSuffix(a)).find("\xEF\xBF\xBD"), std::string::npos) << a;
        for (const char* b : Languages) {
            if (std::string(a) != b) {
                EXPECT_STRNE(errorSuffix(a), errorSuffix(b)) << a << " " << b;
            }
        }
    }
}

TEST(ComposeError, SuffixWithoutDetailDetailWithout)
{
    for (const char* language : Languages) {
        EXPECT_EQ(composeError(language, "Unable to open control file", ""),
                  std::string("Unable to open control file") + errorSuffix(language));
        EXPECT_EQ(composeError(language, "Unable to save errors.log", "Try installing from a non-write protected drive."),
                  "Unable to save errors.log\r\rTry installing from a non-write protected drive.");
    }
    EXPECT_EQ(composeError("german", "", ""), errorSuffix("german"));
}

TEST(Status, LanguageIsDecidedAtConstruction)
{
    testing_support::TempDir work(true);
    testing_support::ScopedLocale locale("es-AR");
    ASSERT_TRUE(locale.ok());
    Status status;
    EXPECT_EQ(status.languageName(), "spanish");
    ASSERT_TRUE(locale.set("nl-NL"));
    EXPECT_EQ(status.languageName(), "spanish");
    EXPECT_EQ(Status().languageName(), "dutch");
}

TEST(Status, QuietModeShowsNothingAndKeepsTheMarker)
{
    testing_support::TempDir work(true);
    testing_support::ScopedLocale locale("fr-FR");
    ASSERT_TRUE(locale.ok());
    work.write(ShowDialogFilename, "");
    Status status;
    EXPECT_FALSE(status.isQuiet());
    status.setQuietMode(true);
    EXPECT_TRUE(status.isQuiet());
    // A box here would block the test; on Linux it would also show on standard error.
    testing::internal::CaptureStderr();
    status.showError("Unable to open control file");
    status.showError("Unable to open control file", "detail");
    status.showError("Unable to open control file", static_cast<const char*>(nullptr));
    status.showStatus("Searching for JVM again");
    status.showStatus(1u);
    status.setMaxPercentage(50);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(std::filesystem::exists(work.path() / ShowDialogFilename));
}

} // namespace
