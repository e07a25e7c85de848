#pragma once
// The pick lists a hit draws the next task key from. The draw picks a slot by
// position with equal odds, so a letter standing in two slots comes up twice
// as often: each list deliberately has one slot more than its region has
// letters, and the order of the slots is part of the behaviour.
#include <array>
#include <string_view>

namespace drill {

struct PickList {
    int region;
    // One capital letter per slot, slot 0 first.
    std::string_view slots;
};

inline constexpr std::array<PickList, 5> kPickLists{{
    {1, "QAZPA"},
    {2, "WSXOLO"},
    {3, "EDCIKK"},
    {4, "RTFGVBYUHJNMN"},
    {5, "QAZPWSXOLEDCIKRTFGVBYUHJNMN"},
}};

// Throws std::out_of_range for a region outside 1..5.
const PickList& pickListForRegion(int region);

} // namespace drill
