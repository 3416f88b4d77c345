#include "diag/status.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/tempdir.h"

namespace {

TEST(ComposeError, SuffixInTheLanguageOnlyWithoutDetail)
{
    const struct {
        const char* language;
        const char* start; // the suffix begins with this
    } cases[] = {
        {"french", "\n\nVeuillez examiner"}, {"polish", "\n\nW celu uzyskania dok\u0142adnej"},
        {"japanese", "\n\nPlease review the"}, {"Dutch", "\n\nSee errors.log"}, {"", "\n\nSee errors.log"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(composeError(c.language, "Failed", "").rfind(std::string("Failed") + c.start, 0), 0u) << c.language;
        EXPECT_EQ(composeError(c.language, "Failed", "Detail."), "Failed\r\rDetail.");
    }
}

TEST(Status, QuietModeShowsNothingAndKeepsTheMarker)
{
    testing_support::TempDir work(true);
    work.write(ShowDialogFilename, "");
    Status status;
    status.setQuietMode(true);
    EXPECT_TRUE(status.isQuiet());
    // What a quiet run shows is checked end to end; here: it leaves the marker alone.
    testing::internal::CaptureStderr();
    status.showError("Unable to open control file");
    status.showStatus(1u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(std::filesystem::exists(work.path() / ShowDialogFilename));
}

} // namespace
