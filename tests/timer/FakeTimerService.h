#pragma once
// A timer service that runs no thread: it records every call, fires the
// callbacks only when a test says so, and fails creation on demand.
#include "platform/TimerService.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

class FakeTimerService final : public platform::TimerService {
public:
    // "set <delay>" and "kill <id>", in call order; a failed set is logged too.
    std::vector<std::string> calls;
    bool failCreation = false;

    std::uint32_t timeSetEvent(std::uint32_t delayMs, std::uint32_t resolutionMs,
                               platform::TimerCallback callback, std::uintptr_t user,
                               std::uint32_t flags) override {
        calls.push_back("set " + std::to_string(delayMs));
        EXPECT_EQ(resolutionMs, delayMs);
        EXPECT_EQ(flags, platform::TIME_PERIODIC);
        EXPECT_NE(callback, nullptr);
        if (failCreation) {
            return 0;
        }
        const std::uint32_t id = ++lastId_;
        live_[id] = Timer{callback, user};
        return id;
    }

    void timeKillEvent(std::uint32_t timerId) override {
        calls.push_back("kill " + std::to_string(timerId));
        live_.erase(timerId);
    }

    // One period passes for every running timer. A timer that an earlier
    // callback of the same round stopped does not fire.
    void fireAll() {
        std::vector<std::uint32_t> ids;
        for (const auto& [id, timer] : live_) {
            ids.push_back(id);
        }
        for (const std::uint32_t id : ids) {
            const auto it = live_.find(id);
            if (it != live_.end()) {
                const Timer timer = it->second;
                timer.callback(id, 0, timer.user, 0, 0);
            }
        }
    }

    std::size_t liveCount() const { return live_.size(); }

private:
    struct Timer {
        platform::TimerCallback callback;
        std::uintptr_t user;
    };
    std::map<std::uint32_t, Timer> live_;
    std::uint32_t lastId_ = 0;
};
