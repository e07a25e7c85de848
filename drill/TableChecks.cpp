// Compile-time checks that the tables agree with each other, so a typo in one
// row fails the build instead of a drill session.
#include "drill/FingerColours.h"
#include "drill/KeyCells.h"
#include "drill/MarkClearOrder.h"
#include "drill/PickLists.h"
#include "drill/Regions.h"

#include <algorithm>
#include <cstddef>

namespace drill {
namespace {

constexpr bool everyLetterHasItsCell() {
    for (int code = 'A'; code <= 'Z'; ++code) {
        const std::size_t i = letterCellIndex(code);
        if (i == kNoKeyCell || kKeyCells[i].caption.size() != 1 ||
            kKeyCells[i].caption[0] != code) {
            return false;
        }
    }
    return std::count_if(kKeyCells.begin(), kKeyCells.end(),
                         [](const KeyCell& c) { return c.keyCode != 0; }) == 26;
}
static_assert(everyLetterHasItsCell());

constexpr bool clearOrderNamesEachLetterOnce() {
    if (kMarkClearOrder.size() != 26) {
        return false;
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (std::count(kMarkClearOrder.begin(), kMarkClearOrder.end(), letter) != 1) {
            return false;
        }
    }
    return true;
}
static_assert(clearOrderNamesEachLetterOnce());

constexpr bool pickListsHoldOnlyLetters() {
    return std::all_of(kPickLists.begin(), kPickLists.end(), [](const PickList& p) {
        return !p.slots.empty() && std::all_of(p.slots.begin(), p.slots.end(), [](char c) {
            return letterCellIndex(c) != kNoKeyCell;
        });
    });
}
static_assert(pickListsHoldOnlyLetters());

constexpr bool regionFramesAreFramePanels() {
    return std::all_of(kRegions.begin(), kRegions.end(), [](const RegionRow& r) {
        return std::all_of(r.frames.begin(), r.frames.end(), [](const RegionFrame& f) {
            return std::find(kRegionFramePanels.begin(), kRegionFramePanels.end(), f.panel) !=
                   kRegionFramePanels.end();
        });
    });
}
static_assert(regionFramesAreFramePanels());

} // namespace
} // namespace drill
