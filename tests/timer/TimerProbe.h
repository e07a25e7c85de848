#pragma once
// Helpers for tests against the real timer service: a callback target that
// runs a test-supplied body, and a bounded wait for a condition.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

struct TimerProbe {
    std::atomic<int> ticks{0};
    // Set before the timer is created and not changed while it runs.
    std::function<void(std::uint32_t timerId)> body;

    static void callback(std::uint32_t timerId, std::uint32_t, std::uintptr_t user, std::uintptr_t,
                         std::uintptr_t) {
        auto* probe = reinterpret_cast<TimerProbe*>(user);
        if (probe->body) {
            probe->body(timerId);
        }
        ++probe->ticks;
    }
    std::uintptr_t user() { return reinterpret_cast<std::uintptr_t>(this); }
};

// Generous on purpose: the machine may be loaded; a pass comes much sooner.
inline bool waitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
