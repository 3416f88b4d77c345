#include "diag/status.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/tempdir.h"

namespace {

// Each line of message and detail is translated on its own, with what the run filled in kept;
// lines without a translation, and unknown languages, stay English.
TEST(ComposeError, MessageAndDetailInTheLanguage)
{
    const struct {
        const char* language;
        const char* message;
        const char* detail;
        const char* shown;
    } cases[] = {
        {"german", "Unable to find Java Plug-in 1.8.0_15 to 1.9 on your system.",
         "Please install the correct JRE. You need version 1.8, x64 memory model. Then restart this installation "
         "program.",
         "Java Plug-in 1.8.0_15 to 1.9 wurde auf Ihrem System nicht gefunden.\r\rBitte installieren Sie die passende "
         "Version von JRE: Version 1.8, Speichermodell x64. Starten Sie danach dieses Installationsprogramm erneut."},
        {"japanese", "Unable to install JRE 1.8. Are the destination or temporary directories out of disk space?\r\r"
                     "    See errors.log for other possible causes.",
         "Other possible causes for errors:\n    * Does your system export the display?\nUnknown line.",
         "JRE 1.8 をインストールできません。インストール先または一時ディレクトリのディスク容量が不足していませんか?"
         "\r\r    その他の考えられる原因は errors.log を参照してください。\r\rその他の考えられるエラーの原因:\n    * "
         "画面を別のコンピューターに転送していませんか?\nUnknown line."},
        {"french", "Unable to open control file", "", nullptr},
        {"klingon", "Unable to open qbx.control", "Try installing from a non-write protected drive.",
         "Unable to open qbx.control\r\rTry installing from a non-write protected drive."},
    };
    for (const auto& c : cases) {
        std::string shown = composeError(c.language, c.message, c.detail);
        if (c.shown == nullptr)
            EXPECT_EQ(shown, std::string("Impossible d'ouvrir le fichier de contr\u00f4le") + errorSuffix("french"));
        else
            EXPECT_EQ(shown, c.shown) << c.language;
    }
}

} // namespace
