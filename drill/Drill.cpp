#include "drill/Drill.h"

#include <string>

namespace drill {

Drill::Drill(WindowPort& window, SoundPort& sound, RandomPort& random)
    : window_(window), sound_(sound), random_(random) {}

void Drill::showNumber(std::string_view control, std::int64_t value) {
    window_.setCaption(control, std::to_string(value));
}

// Gives the drill state its start values without running the mode switch: the
// stored window already stands in the standard layout with stopped clocks.
void Drill::FormActivate() {
    window_.setVisible("RichEdit1", false);
    state_.Mode = ModeState::Standard;
    state_.TrialActive = false;
    state_.TrialTicks = 0;
    state_.ElapsedSeconds = 0;
    state_.HitCount = 0;
    state_.KeyCount = 0;
    state_.TrialMinutes = 1;
    Button6Click();
}

} // namespace drill
