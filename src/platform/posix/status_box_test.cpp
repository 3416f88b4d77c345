// Status boxes as the Linux build shows them: title and text on standard error, at once.
#include "diag/status.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "locale/language.h"
#include "locale/testlocale.h"
#include "testing/tempdir.h"

namespace {

using testing_support::ScopedLocale;
using testing_support::TempDir;

TEST(StatusBox, ErrorWithoutDetailEndsInTheLanguagesSuffix)
{
    const struct {
        const char* locale;
        const char* shown;
    } cases[] = {
        {"fr-FR",
         "[Quillbox Installer: Error] Unable to open control file\n\nVeuillez examiner les fichiers errors.log et "
         "jinstall.log pour plus de d\u00e9tails sur l'erreur.\n"},
        {"Japanese",
         "[Quillbox Installer: Error] Unable to open control file\n\nPlease review the errors.log and jinstall.log "
         "files for more details about the error.\n"},
        {"en-US",
         "[Quillbox Installer: Error] Unable to open control file\n\nSee errors.log and jinstall.log files for "
         "details.\n"},
    };
    for (const auto& c : cases) {
        TempDir work(true);
        ScopedLocale locale(c.locale);
        ASSERT_TRUE(locale.ok());
        work.write(ShowDialogFilename, "");
        Status status;
        testing::internal::CaptureStderr();
        status.showError("Unable to open control file");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.shown) << c.locale;
        EXPECT_FALSE(std::filesystem::exists(work.path() / ShowDialogFilename)) << c.locale;
    }
}

TEST(StatusBox, ErrorWithDetailHasNoSuffix)
{
    TempDir work(true);
    ScopedLocale locale("de-DE");
    ASSERT_TRUE(locale.ok());
    Status status;
    testing::internal::CaptureStderr();
    status.showError("Unable to save errors.log", "Try installing from a non-write protected drive.");
    status.showError("Unable to open qbx.control", "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[Quillbox Installer: Error] Unable to save errors.log\r\rTry installing from a non-write protected "
              "drive.\n"
              "[Quillbox Installer: Error] Unable to open qbx.control\n\nBitte \u00fcberpr\u00fcfen Sie die Dateien "
              "errors.log und jinstall.log f\u00fcr n\u00e4here Angaben zu diesem Problem.\n");
}

TEST(StatusBox, InformationBoxIgnoresQuietMode)
{
    TempDir work(true);
    ScopedLocale locale("it-IT");
    ASSERT_TRUE(locale.ok());
    work.write(ShowDialogFilename, "");
    Status status;
    status.setQuietMode(true);
    testing::internal::CaptureStderr();
    status.showMessage("Backup saved");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[Quillbox Installer] Backup saved\n");
    EXPECT_FALSE(std::filesystem::exists(work.path() / ShowDialogFilename));
}

TEST(StatusBox, MissingRegistryOrMalformedOneMeansEnglish)
{
    TempDir work(true);
    ScopedLocale locale("fr-FR");
    ASSERT_TRUE(locale.ok());
    // No key at all: an empty registry.
    std::filesystem::remove(locale.registryFile());
    work.write(LocaleLogFilename, "");
    EXPECT_EQ(Status().languageName(), "english");
    EXPECT_EQ(testing_support::readFile(work.path() / LocaleLogFilename), "");
    // A registry that cannot be read is reported, and the launcher still speaks English.
    std::ofstream(locale.registryFile()) << "REGEDIT4\n[HKEY_CURRENT_USER\\Control Panel\\International\n";
    testing::internal::CaptureStderr();
    EXPECT_EQ(Status().languageName(), "english");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("line 2"), std::string::npos);
    std::filesystem::remove(locale.registryFile());
}

} // namespace
