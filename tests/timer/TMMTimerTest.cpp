// TMMTimer's restart rules, driven through a fake service so that every
// start and stop is visible and every tick comes exactly when the test says.
#include "FakeTimerService.h"
#include "timer/NewCtrls.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Harness {
    FakeTimerService service;
    std::unique_ptr<TMMTimer> timer = std::make_unique<TMMTimer>(nullptr, service);
    int handled = 0;

    TNotifyEvent counting() {
        return [this](platform::TComponent* sender) {
            EXPECT_EQ(sender, timer.get());
            ++handled;
        };
    }
    // How code starts a timer it built itself: the defaults start nothing,
    // so it toggles Enabled once the handler is in place.
    void startRunning() {
        timer->SetOnTimer(counting());
        timer->SetEnabled(false);
        timer->SetEnabled(true);
    }
};

void expectNoTimerError(const std::function<void()>& write) {
    try {
        write();
        ADD_FAILURE() << "EMMTimerError expected";
    } catch (const EMMTimerError& error) {
        EXPECT_STREQ(error.what(), "No timer available");
    }
}

struct Case {
    const char* name;
    std::function<void(Harness&)> act;
    std::vector<std::string> calls; // the service calls, in order
    int handled;                    // OnTimer calls
    std::size_t running;            // platform timers left running
};

const Case kCases[] = {
    {"ConstructionStartsNothing", [](Harness& h) { h.service.fireAll(); }, {}, 0, 0},
    {"AssigningHandlerStartsNothing",
     [](Harness& h) {
         h.timer->SetOnTimer(h.counting());
         h.service.fireAll();
     },
     {},
     0,
     0},
    {"DisableThenEnableStarts",
     [](Harness& h) {
         h.startRunning();
         h.service.fireAll();
     },
     {"set 1000"},
     1,
     1},
    {"IntervalChangeStartsIdleTimer",
     [](Harness& h) {
         h.timer->SetOnTimer(h.counting());
         h.timer->SetInterval(500);
     },
     {"set 500"},
     0,
     1},
    {"EnablingRunningTimerKeepsItsPeriod",
     [](Harness& h) {
         h.startRunning();
         h.timer->SetEnabled(true);
         h.service.fireAll();
     },
     {"set 1000"},
     1,
     1},
    {"UnchangedIntervalKeepsItsPeriod",
     [](Harness& h) {
         h.startRunning();
         h.timer->SetInterval(1000);
     },
     {"set 1000"},
     0,
     1},
    {"IntervalChangeRestartsWithNewValue",
     [](Harness& h) {
         h.startRunning();
         h.timer->SetInterval(500);
         h.service.fireAll();
     },
     {"set 1000", "kill 1", "set 500"},
     1,
     1},
    {"IntervalZeroStopsLaterNonzeroStarts",
     [](Harness& h) {
         h.startRunning();
         h.timer->SetInterval(0);
         EXPECT_TRUE(h.timer->Enabled());
         h.service.fireAll();
         h.timer->SetInterval(250);
         h.service.fireAll();
     },
     {"set 1000", "kill 1", "set 250"},
     1,
     1},
    {"DisablingStops",
     [](Harness& h) {
         h.startRunning();
         h.timer->SetEnabled(false);
         h.service.fireAll();
     },
     {"set 1000", "kill 1"},
     0,
     0},
    {"ClearingHandlerKeepsPlatformTimer",
     [](Harness& h) {
         h.startRunning();
         h.timer->SetOnTimer(nullptr);
         h.service.fireAll();
     },
     {"set 1000"},
     0,
     1},
    {"NewHandlerTakesOverWithoutRestart",
     [](Harness& h) {
         h.startRunning();
         h.timer->SetOnTimer(nullptr);
         h.service.fireAll();
         h.timer->SetOnTimer(h.counting());
         h.service.fireAll();
     },
     {"set 1000"},
     1,
     1},
    {"DisablingFromInsideHandler",
     [](Harness& h) {
         h.startRunning();
         h.timer->SetOnTimer([&h](platform::TComponent*) {
             ++h.handled;
             h.timer->SetEnabled(false);
         });
         h.service.fireAll();
         h.service.fireAll();
     },
     {"set 1000", "kill 1"},
     1,
     0},
    {"FailedStartRaisesAndKeepsEnabled",
     [](Harness& h) {
         h.service.failCreation = true;
         h.timer->SetOnTimer(h.counting());
         h.timer->SetEnabled(false);
         expectNoTimerError([&h] { h.timer->SetEnabled(true); });
         EXPECT_TRUE(h.timer->Enabled());
         h.timer->SetEnabled(true); // unchanged: no second try
         h.service.fireAll();
     },
     {"set 1000"},
     0,
     0},
    {"FailedStartRetriesOnFalseThenTrue",
     [](Harness& h) {
         h.service.failCreation = true;
         h.timer->SetOnTimer(h.counting());
         h.timer->SetEnabled(false);
         expectNoTimerError([&h] { h.timer->SetEnabled(true); });
         h.service.failCreation = false;
         h.timer->SetEnabled(false); // holds no handle: nothing to kill
         h.timer->SetEnabled(true);
         h.service.fireAll();
     },
     {"set 1000", "set 1000"},
     1,
     1},
    {"FailedRestartOnIntervalChangeLeavesIdle",
     [](Harness& h) {
         h.startRunning();
         h.service.failCreation = true;
         expectNoTimerError([&h] { h.timer->SetInterval(500); });
         EXPECT_EQ(h.timer->Interval(), 500u);
         h.timer.reset(); // the dead handle is not killed twice
     },
     {"set 1000", "kill 1", "set 500"},
     0,
     0},
    {"DestructorStopsRunningTimer",
     [](Harness& h) {
         h.startRunning();
         h.timer.reset();
         h.service.fireAll();
     },
     {"set 1000", "kill 1"},
     0,
     0},
    {"DestructorOfIdleTimerKillsNothing", [](Harness& h) { h.timer.reset(); }, {}, 0, 0},
    {"StoredFormDisabledStartsNothing",
     [](Harness& h) {
         h.timer->SetEnabled(false);
         h.timer->SetOnTimer(h.counting());
         h.timer->Loaded();
     },
     {},
     0,
     0},
    {"StoredFormEnabledStartsOnLoaded",
     [](Harness& h) {
         h.timer->SetInterval(250); // read before OnTimer: starts nothing yet
         h.timer->SetOnTimer(h.counting());
         h.timer->Loaded();
     },
     {"set 250"},
     0,
     1},
    {"OwnerReleasesItsRunningTimer",
     [](Harness& h) {
         {
             platform::TComponent owner(nullptr);
             auto* owned = new TMMTimer(&owner, h.service);
             owned->SetOnTimer(h.counting());
             owned->SetInterval(100);
         }
         h.service.fireAll();
     },
     {"set 100", "kill 1"},
     0,
     0},
};

// Names the row in test output instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class TMMTimerRules : public testing::TestWithParam<Case> {};

TEST_P(TMMTimerRules, ServiceCallsTicksAndRunningTimers) {
    const Case& c = GetParam();
    Harness h;
    c.act(h);
    EXPECT_EQ(h.service.calls, c.calls);
    EXPECT_EQ(h.handled, c.handled);
    EXPECT_EQ(h.service.liveCount(), c.running);
}

INSTANTIATE_TEST_SUITE_P(Cases, TMMTimerRules, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& row) { return row.param.name; });

TEST(TMMTimer, ConstructionGivesDefaults) {
    FakeTimerService service;
    platform::TComponent owner(nullptr);
    auto* timer = new TMMTimer(&owner, service);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 1000u);
    EXPECT_FALSE(timer->OnTimer());
    EXPECT_EQ(timer->Owner(), &owner);
}

// The callback reaches a descendant's Tick, not the base one.
class CountingTimer : public TMMTimer {
public:
    using TMMTimer::TMMTimer;
    int ticks = 0;

protected:
    void Tick() override { ++ticks; }
};

TEST(TMMTimer, CallbackRunsTickOverride) {
    FakeTimerService service;
    CountingTimer timer(nullptr, service);
    int handled = 0;
    timer.SetOnTimer([&](platform::TComponent*) { ++handled; });
    timer.SetInterval(10);
    service.fireAll();
    service.fireAll();
    EXPECT_EQ(timer.ticks, 2);
    EXPECT_EQ(handled, 0);
    timer.SetEnabled(false);
}

} // namespace
