// TMMTimer on the real timer service: ticks come on the service's thread,
// and every way of stopping really stops them.
#include "TimerProbe.h"
#include "platform/TimerTestHooks.h"
#include "timer/NewCtrls.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

using namespace std::chrono_literals;

struct Counter {
    std::atomic<int> ticks{0};
    TNotifyEvent handler() {
        return [this](platform::TComponent*) { ++ticks; };
    }
};

std::unique_ptr<TMMTimer> runningTimer(Counter& counter, std::uint32_t intervalMs) {
    auto timer = std::make_unique<TMMTimer>(nullptr);
    timer->SetOnTimer(counter.handler());
    timer->SetInterval(intervalMs);
    return timer;
}

void expectFrozen(const Counter& counter) {
    const int frozen = counter.ticks;
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(counter.ticks, frozen);
}

TEST(TMMTimerOnSystemService, TicksArriveAndDisableStopsThem) {
    Counter counter;
    auto timer = runningTimer(counter, 10);
    EXPECT_TRUE(waitUntil([&] { return counter.ticks >= 3; }));
    timer->SetEnabled(false);
    expectFrozen(counter);
}

TEST(TMMTimerOnSystemService, DestructionStopsTicks) {
    Counter counter;
    auto timer = runningTimer(counter, 1);
    EXPECT_TRUE(waitUntil([&] { return counter.ticks >= 3; }));
    timer.reset();
    expectFrozen(counter);
}

TEST(TMMTimerOnSystemService, DisablingFromInsideHandlerStopsTicks) {
    std::atomic<int> ticks{0};
    std::atomic<bool> stopped{false};
    auto timer = std::make_unique<TMMTimer>(nullptr);
    timer->SetOnTimer([&](platform::TComponent* sender) {
        ++ticks;
        static_cast<TMMTimer*>(sender)->SetEnabled(false);
        stopped = true; // published after the write, so the test may read the timer
    });
    timer->SetInterval(1);
    ASSERT_TRUE(waitUntil([&] { return stopped.load(); }));
    EXPECT_FALSE(timer->Enabled());
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(ticks, 1);
}

TEST(TMMTimerOnSystemService, NoTimerAvailableThenRetry) {
    Counter counter;
    auto timer = std::make_unique<TMMTimer>(nullptr);
    timer->SetOnTimer(counter.handler());
    timer->SetEnabled(false);
    platform::setTimerCreationFailsForTesting(true);
    try {
        timer->SetEnabled(true);
        ADD_FAILURE() << "EMMTimerError expected";
    } catch (const EMMTimerError& error) {
        EXPECT_STREQ(error.what(), "No timer available");
    }
    platform::setTimerCreationFailsForTesting(false);
    EXPECT_TRUE(timer->Enabled());
    timer->SetEnabled(false);
    timer->SetInterval(10);
    timer->SetEnabled(true);
    EXPECT_TRUE(waitUntil([&] { return counter.ticks >= 1; }));
}

} // namespace
