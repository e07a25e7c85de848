// Judging: a key-down counts and marks, a release clears the marks and
// compares the task cell with the pressed-key cell. Which key was released
// plays no part, so overlapping keys and releases whose key-down went to
// another window are judged against the last letter pressed.
#include "drill/Accuracy.h"
#include "drill/Drill.h"
#include "drill/KeyCells.h"
#include "drill/MarkClearOrder.h"
#include "drill/PickLists.h"

#include <array>
#include <cstddef>
#include <string>

namespace drill {
namespace {

constexpr std::string_view kTaskCell = "statictext47";
constexpr std::string_view kPressedKeyCell = "statictext50";

// Resolved once at compile time; a letter without a cell fails the build.
constexpr auto kClearOrderCells = [] {
    std::array<std::string_view, kMarkClearOrder.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        names[i] = kKeyCells[letterCellIndex(kMarkClearOrder[i])].name;
    }
    return names;
}();

} // namespace

void Drill::FormKeyDown(std::uint16_t& key) {
    ++state_.KeyCount;
    // A timer that cannot start throws here and ends the key-down with the
    // count already raised; the caller shows the error.
    if (state_.TrialActive) {
        window_.setTimerEnabled("MMTimer2", true);
        showNumber("Label14", state_.KeyCount);
    } else {
        window_.setTimerEnabled("MMTimer1", true);
        showNumber("Label4", state_.KeyCount);
    }
    if (state_.Mode == ModeState::WordProcessor) {
        return;
    }
    if (const KeyCell* cell = letterCellByKeyCode(key)) {
        window_.setCaption(kPressedKeyCell, cell->caption);
        window_.setFontColour(cell->name, clNone);
    }
}

void Drill::FormKeyUp() {
    // Reseeding at every release, before anything else, ties the next task
    // key to the moment this release is handled.
    random_.reseedFromTimeOfDay();
    for (std::string_view cell : kClearOrderCells) {
        window_.setFontColour(cell, clBlack);
    }
    if (state_.Mode == ModeState::WordProcessor) {
        return;
    }
    const std::string taskKey = window_.caption(kTaskCell);
    if (taskKey != window_.caption(kPressedKeyCell)) {
        sound_.playSync("mis.wav");
        return;
    }
    // The sound plays to its end before anything the learner sees changes.
    sound_.playSync("ok.wav");
    ++state_.HitCount;
    showNumber("StaticText57", state_.HitCount);
    showNumber("StaticText61", state_.HitCount);
    // A hit with no counted keystroke (a reset while the key was held, or a
    // release whose key-down went elsewhere) has no accuracy: the label keeps
    // what it shows and the drill goes on.
    if (state_.KeyCount != 0) {
        showNumber("Label6", accuracyPercent(state_.HitCount, state_.KeyCount));
    }
    const PickList& list = pickListForRegion(state_.Region);
    const int slot = random_.draw(static_cast<int>(list.slots.size()));
    window_.setCaption(kTaskCell, list.slots.substr(static_cast<std::size_t>(slot), 1));
}

} // namespace drill
