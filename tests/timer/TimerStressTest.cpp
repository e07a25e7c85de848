// Thousands of starts, stops and restarts from two threads against 1 ms
// ticks, meant for the ThreadSanitizer build: no tick after a stop has
// returned, no deadlock (ctest's timeout bounds the run), no data race.
#include "TimerProbe.h"
#include "platform/TimerService.h"
#include "timer/NewCtrls.h"

#include <array>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr int kOpsPerThread = 3000;

// Now and then give the ticks room to come.
void maybePause(std::minstd_rand& random) {
    if (random() % 8 == 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 1500));
    }
}

// Each thread drives a component of its own, since one component's writes
// are never made from two threads at once; both share the one service.
struct ComponentDriver {
    std::atomic<bool> mayTick{false};
    std::atomic<int> ticks{0};
    std::atomic<int> lateTicks{0};

    void run(unsigned seed) {
        std::minstd_rand random(seed);
        auto timer = makeTimer();
        bool enabled = true;
        std::uint32_t interval = 1000;
        for (int op = 0; op < kOpsPerThread; ++op) {
            bool nextEnabled = enabled;
            std::uint32_t nextInterval = interval;
            const auto choice = random() % 10;
            if (choice < 4) {
                nextEnabled = !enabled;
            } else if (choice < 9) {
                nextInterval = static_cast<std::uint32_t>(random() % 4); // 0 stops
            }
            const bool running = enabled && interval != 0;
            const bool willRun = nextEnabled && nextInterval != 0;
            if (willRun) {
                mayTick = true;
            }
            if (choice == 9) {
                timer.reset(); // destruction is a stop as well
                mayTick = false;
                timer = makeTimer();
                enabled = true;
                interval = 1000;
                continue;
            }
            timer->SetEnabled(nextEnabled);
            timer->SetInterval(nextInterval);
            if (running && !willRun) {
                mayTick = false;
            }
            enabled = nextEnabled;
            interval = nextInterval;
            maybePause(random);
        }
        timer.reset();
        mayTick = false;
    }

    std::unique_ptr<TMMTimer> makeTimer() {
        auto timer = std::make_unique<TMMTimer>(nullptr);
        timer->SetOnTimer([this](platform::TComponent*) {
            ++ticks;
            if (!mayTick) {
                ++lateTicks;
            }
        });
        return timer;
    }
};

TEST(TimerStress, ComponentsFromTwoThreads) {
    std::array<ComponentDriver, 2> drivers;
    std::thread first([&] { drivers[0].run(1); });
    std::thread second([&] { drivers[1].run(2); });
    first.join();
    second.join();
    for (const ComponentDriver& driver : drivers) {
        EXPECT_EQ(driver.lateTicks, 0);
        EXPECT_GT(driver.ticks, 0) << "the run never let a tick through";
    }
}

// The service alone, where a stop's timer id is known: slots shared by two
// threads, each slot's start and stop serialised by its own mutex; now and
// then a callback stops its own timer.
struct Slot {
    std::mutex mutex;
    std::uint32_t id = 0;
    std::atomic<bool> mayTick{false};
    std::atomic<int> ticks{0};
    std::atomic<int> lateTicks{0};
};

void slotTick(std::uint32_t timerId, std::uint32_t, std::uintptr_t user, std::uintptr_t,
              std::uintptr_t) {
    auto* slot = reinterpret_cast<Slot*>(user);
    if (!slot->mayTick) {
        ++slot->lateTicks;
    }
    if (++slot->ticks % 53 == 0) {
        platform::systemTimerService().timeKillEvent(timerId);
    }
}

TEST(TimerStress, ServiceFromTwoThreads) {
    auto& service = platform::systemTimerService();
    std::array<Slot, 6> slots;
    const auto drive = [&](unsigned seed) {
        std::minstd_rand random(seed);
        for (int op = 0; op < kOpsPerThread; ++op) {
            Slot& slot = slots[random() % slots.size()];
            std::lock_guard lock(slot.mutex);
            if (slot.id != 0) {
                service.timeKillEvent(slot.id);
                slot.mayTick = false;
                slot.id = 0;
            } else {
                slot.mayTick = true;
                const auto period = static_cast<std::uint32_t>(1 + random() % 3);
                slot.id = service.timeSetEvent(period, period, &slotTick,
                                               reinterpret_cast<std::uintptr_t>(&slot),
                                               platform::TIME_PERIODIC);
                ASSERT_NE(slot.id, 0u);
            }
            maybePause(random);
        }
    };
    std::thread first(drive, 3u);
    std::thread second(drive, 4u);
    first.join();
    second.join();
    int ticks = 0;
    for (Slot& slot : slots) {
        service.timeKillEvent(slot.id);
        slot.mayTick = false;
        EXPECT_EQ(slot.lateTicks, 0);
        ticks += slot.ticks;
    }
    EXPECT_GT(ticks, 0);
}

} // namespace
