// The two clocks. Ticks arrive already serialised with the window's thread
// and only while their timer is enabled, so they read and write the state
// like any other handler.
#include "drill/Drill.h"

#include <algorithm>
#include <array>

namespace drill {
namespace {

constexpr std::array<std::int32_t, 4> kTrialMinutesCycle{1, 3, 5, 10};

constexpr std::int32_t nextTrialMinutes(std::int32_t minutes) {
    const auto* at = std::find(kTrialMinutesCycle.begin(), kTrialMinutesCycle.end(), minutes);
    if (at == kTrialMinutesCycle.end() || ++at == kTrialMinutesCycle.end()) {
        return kTrialMinutesCycle.front();
    }
    return *at;
}

} // namespace

void Drill::MMTimer1Timer() {
    ++state_.ElapsedSeconds;
    showNumber("StaticText55", state_.ElapsedSeconds / 60);
    showNumber("StaticText56", state_.ElapsedSeconds % 60);
    window_.paintPendingNow();
}

void Drill::MMTimer2Timer() {
    ++state_.TrialTicks;
    const std::int32_t limit = state_.TrialMinutes * 60;
    if (state_.TrialTicks < limit) {
        showNumber("Label18", limit - state_.TrialTicks);
        return;
    }
    // Time-up. A key-down after it enables the countdown again; its next tick
    // lands here once more, so the label never goes below "0".
    window_.setTimerEnabled("MMTimer2", false);
    window_.setCaption("Label18", "0");
    window_.setColour("Form1", clYellow);
}

// Leaves the window colour alone: a yellow time-up stays yellow until the
// time-trial reset or a mode switch.
void Drill::Label15Click() {
    window_.setTimerEnabled("MMTimer2", false);
    window_.setCaption("Label18", "0");
    state_.TrialTicks = 0;
    state_.TrialMinutes = nextTrialMinutes(state_.TrialMinutes);
    showNumber("Label15", state_.TrialMinutes);
}

} // namespace drill
