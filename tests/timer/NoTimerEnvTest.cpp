// Run with TONPARA_TEST_NO_TIMER=1: the real service creates no timer, and
// the component reports it.
#include "platform/TimerService.h"
#include "timer/NewCtrls.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

void ignoreTick(std::uint32_t, std::uint32_t, std::uintptr_t, std::uintptr_t, std::uintptr_t) {}

TEST(NoTimerEnvironment, CreationFailsForTheWholeRun) {
    ASSERT_STREQ(std::getenv("TONPARA_TEST_NO_TIMER"), "1");
    auto& service = platform::systemTimerService();
    EXPECT_EQ(service.timeSetEvent(10, 10, &ignoreTick, 0, platform::TIME_PERIODIC), 0u);
    // Read once, at first use: clearing it later changes nothing.
    ASSERT_EQ(unsetenv("TONPARA_TEST_NO_TIMER"), 0);
    EXPECT_EQ(service.timeSetEvent(10, 10, &ignoreTick, 0, platform::TIME_PERIODIC), 0u);
}

TEST(NoTimerEnvironment, ComponentRaisesNoTimerAvailable) {
    TMMTimer timer(nullptr);
    timer.SetOnTimer([](platform::TComponent*) {});
    try {
        timer.SetInterval(10);
        ADD_FAILURE() << "EMMTimerError expected";
    } catch (const EMMTimerError& error) {
        EXPECT_STREQ(error.what(), "No timer available");
    }
    EXPECT_EQ(timer.Interval(), 10u);
}

} // namespace
