// Status boxes as the Linux build shows them: title and text on standard error, at once.
#include "diag/status.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "locale/testlocale.h"
#include "testing/tempdir.h"

namespace {

TEST(StatusBox, ErrorsAndMessagesGoToStandardErrorAndDropTheMarker)
{
    testing_support::TempDir work(true);
    testing_support::ScopedLocale locale("de-DE");
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
              "[Quillbox Installer: Error] errors.log kann nicht gespeichert werden\r\rVersuchen Sie die "
              "Installation von einem Laufwerk ohne Schreibschutz.\n"
              "[Quillbox Installer: Error] qbx.control kann nicht ge\u00f6ffnet werden\n\nBitte \u00fcberpr\u00fcfen Sie die Dateien "
              "errors.log und jinstall.log f\u00fcr n\u00e4here Angaben zu diesem Problem.\n"
              "[Quillbox Installer] Backup saved\n");
    EXPECT_FALSE(std::filesystem::exists(work.path() / ShowDialogFilename));
}

} // namespace
