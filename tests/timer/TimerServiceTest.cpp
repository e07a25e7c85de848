// The real timer service on its own thread, at short periods. Bounds on
// timing are lower bounds or generous upper ones, so a loaded machine only
// makes these slower, never red.
#include "platform/TimerService.h"

#include "TimerProbe.h"
#include "platform/TimerTestHooks.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

platform::TimerService& service() {
    return platform::systemTimerService();
}

std::uint32_t start(TimerProbe& probe, std::uint32_t periodMs) {
    return service().timeSetEvent(periodMs, periodMs, &TimerProbe::callback, probe.user(),
                                  platform::TIME_PERIODIC);
}

TEST(SystemTimerService, TicksArriveUntilKilled) {
    TimerProbe probe;
    const std::uint32_t id = start(probe, 10);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(waitUntil([&] { return probe.ticks >= 5; }));
    service().timeKillEvent(id);
    const int frozen = probe.ticks;
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(probe.ticks, frozen);
}

TEST(SystemTimerService, IdsAreNonzeroAndNeverReused) {
    TimerProbe probe;
    std::set<std::uint32_t> seen;
    for (int round = 0; round < 3; ++round) {
        std::vector<std::uint32_t> ids;
        for (int i = 0; i < 4; ++i) {
            ids.push_back(start(probe, 1000));
        }
        for (const std::uint32_t id : ids) {
            EXPECT_NE(id, 0u);
            EXPECT_TRUE(seen.insert(id).second) << "id " << id << " given twice";
            service().timeKillEvent(id);
        }
    }
    // Unknown and already killed ids are ignored.
    service().timeKillEvent(0);
    service().timeKillEvent(0xFFFF'FFFFu);
    service().timeKillEvent(*seen.begin());
}

TEST(SystemTimerService, InvalidRequestsFail) {
    TimerProbe probe;
    EXPECT_EQ(start(probe, 0), 0u);
    EXPECT_EQ(service().timeSetEvent(10, 10, nullptr, 0, platform::TIME_PERIODIC), 0u);
    EXPECT_EQ(service().timeSetEvent(10, 10, &TimerProbe::callback, probe.user(), 0), 0u);
}

TEST(SystemTimerService, FirstTickComesOnePeriodAfterCreation) {
    TimerProbe probe;
    std::atomic<Clock::rep> firstAt{0};
    probe.body = [&](std::uint32_t) {
        Clock::rep expected = 0;
        firstAt.compare_exchange_strong(expected, Clock::now().time_since_epoch().count());
    };
    const Clock::time_point before = Clock::now();
    const std::uint32_t id = start(probe, 20);
    ASSERT_TRUE(waitUntil([&] { return probe.ticks >= 1; }));
    service().timeKillEvent(id);
    const auto delay = Clock::time_point(Clock::duration(firstAt.load())) - before;
    EXPECT_GE(delay, 20ms);
    EXPECT_LT(delay, 2s);
}

// A callback that overruns its period must not be followed by a burst of
// catch-up calls: the next one waits for the next grid point.
TEST(SystemTimerService, OverrunSkipsMissedDeadlines) {
    TimerProbe probe;
    std::vector<Clock::time_point> at; // written by the timer thread only, read after the kill
    probe.body = [&](std::uint32_t) {
        at.push_back(Clock::now());
        if (at.size() == 1) {
            std::this_thread::sleep_for(50ms);
        }
    };
    const Clock::time_point before = Clock::now();
    const std::uint32_t id = start(probe, 20);
    ASSERT_TRUE(waitUntil([&] { return probe.ticks >= 3; }));
    service().timeKillEvent(id);
    ASSERT_GE(at.size(), 3u);
    // Tick 1 at >= 20 ms returns at >= 70 ms; the grid points 40 and 60 are
    // gone, so tick 2 waits for 80 and tick 3 for 100.
    EXPECT_GE(at[1] - before, 80ms);
    EXPECT_GE(at[2] - before, 100ms);
}

TEST(SystemTimerService, NoCallbackStartsOnceKillHasReturned) {
    for (const auto callbackTime : {0ms, 2ms}) {
        TimerProbe probe;
        std::atomic<bool> inside{false};
        probe.body = [&](std::uint32_t) {
            inside = true;
            std::this_thread::sleep_for(callbackTime);
            inside = false;
        };
        for (int round = 0; round < 10; ++round) {
            const int before = probe.ticks;
            const std::uint32_t id = start(probe, 1);
            ASSERT_TRUE(waitUntil([&] { return probe.ticks > before + 2; }));
            service().timeKillEvent(id);
            EXPECT_FALSE(inside) << "kill returned while the callback ran";
            const int frozen = probe.ticks;
            std::this_thread::sleep_for(15ms);
            EXPECT_EQ(probe.ticks, frozen) << "callback after kill, round " << round;
        }
    }
}

TEST(SystemTimerService, KillFromAnotherThreadWaitsForRunningCallback) {
    TimerProbe probe;
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    probe.body = [&](std::uint32_t) {
        if (!started.exchange(true)) {
            std::this_thread::sleep_for(80ms);
            finished = true;
        }
    };
    const std::uint32_t id = start(probe, 5);
    ASSERT_TRUE(waitUntil([&] { return started.load(); }));
    service().timeKillEvent(id);
    EXPECT_TRUE(finished);
}

TEST(SystemTimerService, KillFromInsideOwnCallbackStopsAtOnce) {
    TimerProbe probe;
    probe.body = [](std::uint32_t timerId) { service().timeKillEvent(timerId); };
    ASSERT_NE(start(probe, 5), 0u);
    ASSERT_TRUE(waitUntil([&] { return probe.ticks >= 1; }));
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(probe.ticks, 1);
}

TEST(SystemTimerService, CallbackMayKillAnotherTimer) {
    TimerProbe victim;
    const std::uint32_t victimId = start(victim, 1);
    ASSERT_TRUE(waitUntil([&] { return victim.ticks >= 1; }));
    TimerProbe killer;
    std::atomic<int> victimTicksAtKill{-1};
    killer.body = [&](std::uint32_t killerId) {
        service().timeKillEvent(victimId);
        victimTicksAtKill = victim.ticks.load();
        service().timeKillEvent(killerId);
    };
    ASSERT_NE(start(killer, 5), 0u);
    ASSERT_TRUE(waitUntil([&] { return victimTicksAtKill >= 0; }));
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(victim.ticks, victimTicksAtKill);
}

TEST(SystemTimerService, CreationFailsWhileHookIsSet) {
    TimerProbe probe;
    platform::setTimerCreationFailsForTesting(true);
    EXPECT_EQ(start(probe, 10), 0u);
    platform::setTimerCreationFailsForTesting(false);
    const std::uint32_t id = start(probe, 10);
    EXPECT_NE(id, 0u);
    service().timeKillEvent(id);
}

// Leaving main with timers running: no callback may run into statics that
// are being destroyed, and exit must neither crash nor hang.
std::atomic<bool> gGuardDestroyed{false};
std::atomic<bool> gCallbackAfterGuard{false};

struct ExitGuard {
    ~ExitGuard() {
        gGuardDestroyed = true;
        // Time for a 1 ms timer to fire if dispatch had not stopped.
        std::this_thread::sleep_for(30ms);
        if (gCallbackAfterGuard) {
            std::_Exit(3);
        }
    }
};

void markIfLate(std::uint32_t, std::uint32_t, std::uintptr_t, std::uintptr_t, std::uintptr_t) {
    if (gGuardDestroyed) {
        gCallbackAfterGuard = true;
    }
}

TEST(SystemTimerServiceDeathTest, ExitWithTimersRunningIsClean) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Constructed before the service's first use in this process, so
            // destroyed after the service has stopped dispatching.
            static ExitGuard guard;
            for (int i = 0; i < 3; ++i) {
                service().timeSetEvent(1, 1, &markIfLate, 0, platform::TIME_PERIODIC);
            }
            std::this_thread::sleep_for(20ms);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
