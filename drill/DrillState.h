#pragma once
#include <cstdint>

namespace drill {

enum class ModeState { Standard, TimeTrial, WordProcessor };

// The program-wide drill state. Values before the first activation mean
// nothing; FormActivate gives every field its start value.
struct DrillState {
    std::int32_t KeyCount = 0;
    std::int32_t HitCount = 0;
    std::int32_t ElapsedSeconds = 0;
    std::int32_t TrialTicks = 0;
    std::int32_t TrialMinutes = 1;
    bool TrialActive = false;
    ModeState Mode = ModeState::Standard;
    std::int32_t Region = 4;
};

} // namespace drill
