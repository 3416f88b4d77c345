#include "launcher/markerwait.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "testing/childprogram.h"
#include "testing/tempdir.h"

namespace {

platform::WindowHandle timerWindow()
{
    platform::registerHostClass(); // false once the class exists
    return platform::createHostWindow();
}

} // namespace

// A marker that another process removes ends the wait at once, long before the safety-net timer
// would have woken the loop: the wait wakes on the change of the directory's file names. The
// next phase, which waits for the same marker, then ends without waiting for a wake at all. A
// grace period is time, ended by the timer's ticks when nothing else happens.
TEST(MarkerWait, MarkerRemovedByAnotherProcessIsNoticedBeforeTheTimer)
{
    testing_support::TempDir dir;
    const std::string marker = dir.write("__qbxinstall.sem", "ok\n").string();
    constexpr unsigned SafetyNet = 20000; // ms
    MarkerWait wait(timerWindow(), dir.str(), SafetyNet);
    std::vector<std::string> args;
    const std::string remover = testing_support::fileRemoverProgram(marker, args);
    std::uint64_t start = platform::monotonicMilliseconds();
    ASSERT_TRUE(platform::spawnNoWait(remover, args));
    EXPECT_EQ(wait.until([&] { return !platform::access(marker); }), MarkerWait::End::Done);
    EXPECT_EQ(wait.until([&] { return !platform::access(marker); }, SafetyNet * 2), MarkerWait::End::Done);
    EXPECT_LT(platform::monotonicMilliseconds() - start, SafetyNet / 4);

    MarkerWait grace(timerWindow(), dir.str(), 100);
    start = platform::monotonicMilliseconds();
    EXPECT_EQ(grace.until([] { return false; }, 250), MarkerWait::End::TimeUp);
    EXPECT_GE(platform::monotonicMilliseconds() - start, 250u);
}
