#pragma once
// Which controls each practice mode shows. A mode switch sets every one of
// these in every mode and touches no other control's visibility. "Panel1" is
// shown here for the drill modes and then follows the keyboard selector.
#include "drill/DrillState.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace drill {

struct ModeLayoutRow {
    std::string_view control;
    // Indexed by ModeState: Standard, TimeTrial, WordProcessor.
    std::array<bool, 3> shown;
};

// clang-format off
inline constexpr std::array<ModeLayoutRow, 13> kModeLayout{{
    {"Panel1",       {true,  true,  false}},
    {"RadioGroup1",  {true,  true,  false}},
    {"Panel6",       {true,  true,  false}},
    {"statictext47", {true,  true,  false}},
    {"statictext48", {true,  true,  false}},
    {"statictext50", {true,  true,  false}},
    {"statictext49", {true,  true,  false}},
    {"StaticText51", {true,  true,  false}},
    {"Panel9",       {true,  false, false}},
    {"Panel10",      {false, true,  false}},
    {"RichEdit1",    {false, false, true}},
    {"Panel13",      {false, false, true}},
    {"StaticText63", {false, false, true}},
}};
// clang-format on

constexpr bool shownInMode(const ModeLayoutRow& row, ModeState mode) {
    return row.shown[static_cast<std::size_t>(mode)];
}

} // namespace drill
