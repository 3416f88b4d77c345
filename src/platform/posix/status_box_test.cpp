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

TEST(StatusBox, ErrorsAndMessagesGoToStandardErrorAndDropTheMarker)
{
    TempDir work(true);
    ScopedLocale locale("de-DE");
    ASSERT_TRUE(locale.ok());
    work.write(ShowDialogFilename, "");
    Status status;
    testing::internal::CaptureStderr();
    status.showError("Unable to save errors.log", "Try installing from a non-write protected drive.");
    EXPECT_FALSE(std::filesystem::exists(work.path() / ShowDialogFilename));
    status.showError("Unable to open qbx.control", static_cast<const char*>(nullptr));
    work.write(ShowDialogFilename, "");
    status.setQuietMode(true);
    status.showMessage("Backup saved"); // information boxes ignore quiet mode
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[Quillbox Installer: Error] Unable to save errors.log\r\rTry installing from a non-write protected "
              "drive.\n"
              "[Quillbox Installer: Error] Unable to open qbx.control\n\nBitte \u00fcberpr\u00fcfen Sie die Dateien "
              "errors.log und jinstall.log f\u00fcr n\u00e4here Angaben zu diesem Problem.\n"
              "[Quillbox Installer] Backup saved\n");
    EXPECT_FALSE(std::filesystem::exists(work.path() / ShowDialogFilename));
}

TEST(StatusBox, MissingRegistryOrMalformedOneMeansEnglish)
{
    TempDir work(true);
    ScopedLocale locale("fr-FR");
    ASSERT_TRUE(locale.ok());
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
