// Practice modes, the keyboard selector and the two resets.
#include "FakePorts.h"

#include <gmock/gmock.h>
#include <ostream>

namespace drilltest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Written out here rather than read from the drill's table, so a slip in
// that table shows up as a difference.
struct LayoutCase {
    const char* control;
    bool standard;
    bool trial;
    bool wordProcessor;
};

const LayoutCase kLayout[] = {
    {"Panel1", true, true, false},        {"RadioGroup1", true, true, false},
    {"Panel6", true, true, false},        {"statictext47", true, true, false},
    {"statictext48", true, true, false},  {"statictext50", true, true, false},
    {"statictext49", true, true, false},  {"StaticText51", true, true, false},
    {"Panel9", true, false, false},       {"Panel10", false, true, false},
    {"RichEdit1", false, false, true},    {"Panel13", false, false, true},
    {"StaticText63", false, false, true},
};

class ModeLayout : public DrillFixture, public ::testing::WithParamInterface<int> {};

TEST_P(ModeLayout, SetsEveryOneOfTheThirteenControlsAndNoOther) {
    const int mode = GetParam();
    // Start from another mode so every control has to change to pass.
    switchMode((mode + 1) % 3);
    window_.visible.clear();
    log_.calls.clear();
    switchMode(mode);

    std::vector<std::string> setVisibleCalls;
    for (const std::string& call : log_.calls) {
        if (call.starts_with("visible ")) {
            setVisibleCalls.push_back(call);
        }
    }
    std::vector<std::string> expected;
    for (const LayoutCase& row : kLayout) {
        const bool shownHere = mode == 0 ? row.standard : mode == 1 ? row.trial : row.wordProcessor;
        expected.push_back(std::string("visible ") + row.control + "=" + (shownHere ? "1" : "0"));
    }
    if (mode != 2) {
        expected.emplace_back("visible Panel1=1"); // keyboard selector at "表示する"
    }
    EXPECT_THAT(setVisibleCalls, ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(Drill, ModeLayout, ::testing::Values(0, 1, 2), ModeName());

// The calls every mode switch makes before its mode's own resets.
std::vector<std::string> switchPrologue(int mode) {
    std::vector<std::string> calls{"index RadioGroup2", "colour Form1=clTeal", "timer MMTimer1=off",
                                   "timer MMTimer2=off"};
    for (const LayoutCase& row : kLayout) {
        const bool shownHere = mode == 0 ? row.standard : mode == 1 ? row.trial : row.wordProcessor;
        calls.push_back(std::string("visible ") + row.control + "=" + (shownHere ? "1" : "0"));
    }
    return calls;
}

struct SwitchCase {
    const char* name;
    int mode;
    std::vector<std::string> resets;
};

void PrintTo(const SwitchCase& c, std::ostream* os) {
    *os << c.name;
}

const SwitchCase kSwitchCases[] = {
    {"Standard",
     0,
     {"timer MMTimer1=off", "caption Label4=0", "caption Label6=0", "caption StaticText55=0",
      "caption StaticText56=0", "caption StaticText57=0", "caption Label14=0", "caption Label18=0",
      "caption StaticText61=0", "index RadioGroup1", "visible Panel1=1"}},
    {"TimeTrial",
     1,
     {"colour Form1=clTeal", "timer MMTimer2=off", "caption Label14=0", "caption Label18=0",
      "caption StaticText61=0", "index RadioGroup1", "visible Panel1=1"}},
    {"WordProcessor", 2, {}},
};

class ModeSwitch : public DrillFixture, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(ModeSwitch, RunsItsStepsInOrder) {
    const SwitchCase& c = GetParam();
    switchMode((c.mode + 1) % 3);
    log_.calls.clear();
    switchMode(c.mode);
    std::vector<std::string> expected = switchPrologue(c.mode);
    expected.insert(expected.end(), c.resets.begin(), c.resets.end());
    EXPECT_THAT(log_.calls, ElementsAreArray(expected));
}

// Runs the switch from time-trial mode after a time-up, with both clocks on,
// counted keys and a chosen region and trial length.
TEST_P(ModeSwitch, ResetsTheDrillButNotRegionTrialLengthOrCells) {
    const SwitchCase& c = GetParam();
    switchMode(1);
    drill_.Label15Click();
    keyDown('R');
    for (int i = 0; i < 180; ++i) {
        drill_.MMTimer2Timer();
    }
    ASSERT_EQ(window_.colours.at("Form1"), drill::clYellow);
    drill_.Button2Click();
    press('E');
    drill_.MMTimer1Timer();
    window_.timers["MMTimer1"] = true;
    ASSERT_TRUE(window_.timerOn("MMTimer2"));
    const std::int32_t ticksBefore = state().TrialTicks;

    switchMode(c.mode);

    EXPECT_EQ(state().Mode, static_cast<drill::ModeState>(c.mode));
    EXPECT_EQ(state().KeyCount, 0);
    EXPECT_EQ(state().HitCount, 0);
    EXPECT_EQ(state().ElapsedSeconds, 0);
    EXPECT_EQ(state().TrialTicks, c.mode == 2 ? ticksBefore : 0);
    EXPECT_EQ(state().TrialActive, c.mode == 1);
    EXPECT_FALSE(window_.timerOn("MMTimer1"));
    EXPECT_FALSE(window_.timerOn("MMTimer2"));
    EXPECT_EQ(window_.colours.at("Form1"), drill::clTeal);
    EXPECT_EQ(state().Region, 3);
    EXPECT_EQ(state().TrialMinutes, 3);
    EXPECT_EQ(shown("Label15"), "3");
    EXPECT_EQ(shown("statictext47"), "E");
    EXPECT_EQ(shown("statictext50"), "E");
}

INSTANTIATE_TEST_SUITE_P(Drill, ModeSwitch, ::testing::ValuesIn(kSwitchCases), CaseName());

TEST_F(DrillFixture, ModeSelectorWithNoSuchItemChangesNothing) {
    window_.itemIndices["RadioGroup2"] = -1;
    log_.calls.clear();
    EXPECT_THROW(drill_.RadioGroup2Click(), std::out_of_range);
    EXPECT_EQ(state().Mode, drill::ModeState::Standard);
    EXPECT_THAT(log_.calls, ElementsAre("index RadioGroup2"));
}

struct KeyboardCase {
    const char* name;
    int mode;
    int keyboardItem;
    bool panelShown;
};

void PrintTo(const KeyboardCase& c, std::ostream* os) {
    *os << c.name;
}

const KeyboardCase kKeyboardCases[] = {
    {"StandardShown", 0, 0, true},
    {"StandardHidden", 0, 1, false},
    {"TimeTrialShown", 1, 0, true},
    {"TimeTrialHidden", 1, 1, false},
    {"WordProcessorAlwaysHidden", 2, 0, false},
};

class KeyboardPanel : public DrillFixture, public ::testing::WithParamInterface<KeyboardCase> {};

TEST_P(KeyboardPanel, FollowsTheKeyboardSelectorOutsideWordProcessorMode) {
    const KeyboardCase& c = GetParam();
    window_.itemIndices["RadioGroup1"] = c.keyboardItem;
    switchMode(2);
    switchMode(c.mode);
    EXPECT_EQ(window_.visible.at("Panel1"), c.panelShown);
}

INSTANTIATE_TEST_SUITE_P(Drill, KeyboardPanel, ::testing::ValuesIn(kKeyboardCases), CaseName());

TEST_F(DrillFixture, KeyboardSelectorShowsThePanelOnlyForItemZero) {
    window_.itemIndices["RadioGroup1"] = 1;
    drill_.RadioGroup1Click();
    EXPECT_FALSE(window_.visible.at("Panel1"));
    window_.itemIndices["RadioGroup1"] = 0;
    drill_.RadioGroup1Click();
    EXPECT_TRUE(window_.visible.at("Panel1"));
}

TEST_F(DrillFixture, StandardResetClearsItsPanelAndStopsOnlyTheElapsedClock) {
    keyDown('R');
    drill_.MMTimer1Timer();
    window_.timers["MMTimer2"] = true;
    window_.captions["Label14"] = "7";
    log_.calls.clear();

    drill_.StaticText59Click();

    EXPECT_THAT(log_.calls, ElementsAre("timer MMTimer1=off", "caption Label4=0",
                                        "caption Label6=0", "caption StaticText55=0",
                                        "caption StaticText56=0", "caption StaticText57=0"));
    EXPECT_EQ(state().KeyCount, 0);
    EXPECT_EQ(state().HitCount, 0);
    EXPECT_EQ(state().ElapsedSeconds, 0);
    EXPECT_TRUE(window_.timerOn("MMTimer2"));
    EXPECT_EQ(shown("Label14"), "7");
    keyDown('F');
    EXPECT_EQ(shown("Label4"), "1") << "counting starts again at 1";
}

TEST_F(DrillFixture, TimeTrialResetEndsTimeUpAndLeavesElapsedClockAndLength) {
    switchMode(1);
    drill_.Label15Click();
    keyDown('R');
    for (int i = 0; i < 180; ++i) {
        drill_.MMTimer2Timer();
    }
    window_.timers["MMTimer1"] = true;
    window_.captions["Label4"] = "9";
    log_.calls.clear();

    drill_.Label7Click();

    EXPECT_THAT(log_.calls,
                ElementsAre("colour Form1=clTeal", "timer MMTimer2=off", "caption Label14=0",
                            "caption Label18=0", "caption StaticText61=0"));
    EXPECT_EQ(state().TrialTicks, 0);
    EXPECT_EQ(state().KeyCount, 0);
    EXPECT_EQ(state().TrialMinutes, 3);
    EXPECT_TRUE(window_.timerOn("MMTimer1"));
    EXPECT_EQ(shown("Label4"), "9");
    keyDown('F');
    drill_.MMTimer2Timer();
    EXPECT_EQ(shown("Label18"), "179") << "the next key-down starts a full run";
}

} // namespace
} // namespace drilltest
