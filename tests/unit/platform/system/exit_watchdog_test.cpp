#include "platform/system/exit_watchdog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace veilix {
namespace {

using namespace std::chrono_literals;

TEST(ExitWatchdog, EndsAHungTeardownWithItsExitCode) {
    EXPECT_EXIT(
        {
            ExitWatchdog watchdog;
            watchdog.Arm(20ms, 7);
            std::this_thread::sleep_for(5s);  // the teardown that hangs
        },
        testing::ExitedWithCode(7), "");
}

TEST(ExitWatchdog, ATeardownThatFinishesInTimeIsLeftAlone) {
    EXPECT_EXIT(
        {
            {
                ExitWatchdog watchdog;
                watchdog.Arm(50ms, 7);
            }
            std::this_thread::sleep_for(150ms);
            std::exit(3);
        },
        testing::ExitedWithCode(3), "");
}

}  // namespace
}  // namespace veilix
