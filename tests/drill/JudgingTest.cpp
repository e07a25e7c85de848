// Key-down and release over a recording window: what a sequence of keys
// leaves on screen, and the order in which each handler does its steps.
#include "FakePorts.h"
#include "drill/KeyCells.h"
#include "drill/MarkClearOrder.h"

#include <gmock/gmock.h>
#include <ostream>
#include <sstream>

namespace drilltest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

struct JudgingCase {
    const char* name;
    int modeItem;
    // Space-separated: "dR" key-down of a letter, "d16" key-down of a code,
    // "u" a release, "reset" the standard reset.
    const char* script;
    std::vector<int> draws;
    std::int32_t keyCount;
    std::int32_t hitCount;
    std::vector<std::string> sounds;
    const char* taskKey;
    const char* pressedKey;
    const char* accuracy;
};

void PrintTo(const JudgingCase& c, std::ostream* os) {
    *os << c.name;
}

class Judging : public DrillFixture, public ::testing::WithParamInterface<JudgingCase> {
protected:
    void run(const char* script) {
        std::istringstream steps(script);
        for (std::string step; steps >> step;) {
            if (step == "u") {
                keyUp();
            } else if (step == "reset") {
                drill_.StaticText59Click();
            } else if (step.size() == 2 && step[0] == 'd') {
                keyDown(step[1]);
            } else {
                keyDown(static_cast<std::uint16_t>(std::stoi(step.substr(1))));
            }
        }
    }
};

// Index-finger slots: 0 R, 2 F, 3 G, 5 B.
const JudgingCase kJudgingCases[] = {
    {"HitOnTheTaskKey", 0, "dR u", {3}, 1, 1, {"ok.wav"}, "G", "R", "100"},
    {"MissKeepsTheTaskKey", 0, "dF u", {}, 1, 0, {"mis.wav"}, "R", "F", "0"},
    {"ShiftBeforeAnyLetterIsAMiss", 0, "d16 u", {}, 1, 0, {"mis.wav"}, "R", "", "0"},
    {"NonLetterReleaseJudgesTheLastLetterMiss",
     0,
     "dF u d16 u",
     {},
     2,
     0,
     {"mis.wav", "mis.wav"},
     "R",
     "F",
     "0"},
    {"NonLetterReleaseAfterRedrawOfSameLetterIsAHit",
     0,
     "dR u d16 u",
     {0, 3},
     2,
     2,
     {"ok.wav", "ok.wav"},
     "G",
     "R",
     "100"},
    {"OverlappingLettersJudgeTheLaterOneTwice",
     0,
     "dF dR u u",
     {2},
     2,
     1,
     {"ok.wav", "mis.wav"},
     "F",
     "R",
     "50"},
    {"ReleaseWithoutItsKeyDownCanOutnumberKeystrokes",
     0,
     "dR u u",
     {0, 0},
     1,
     2,
     {"ok.wav", "ok.wav"},
     "R",
     "R",
     "200"},
    {"AutoRepeatCountsEveryKeyDownAndJudgesOnce",
     0,
     "dR dR dR dR dR dR dR dR dR dR u",
     {},
     10,
     1,
     {"ok.wav"},
     "R",
     "R",
     "10"},
    {"HitAfterResetWithKeyHeldKeepsAccuracyAndDraws",
     0,
     "dR reset u",
     {5},
     0,
     1,
     {"ok.wav"},
     "B",
     "R",
     "0"},
    {"TimeTrialJudgesAsStandard", 1, "dR u", {2}, 1, 1, {"ok.wav"}, "F", "R", "100"},
    {"WordProcessorCountsButNeverJudges", 2, "dR u d16 u", {}, 2, 0, {}, "R", "", "0"},
};

TEST_P(Judging, LeavesCountersCellsAndSounds) {
    const JudgingCase& c = GetParam();
    if (c.modeItem != 0) {
        switchMode(c.modeItem);
    }
    random_.script.assign(c.draws.begin(), c.draws.end());
    run(c.script);

    EXPECT_EQ(state().KeyCount, c.keyCount);
    EXPECT_EQ(state().HitCount, c.hitCount);
    EXPECT_EQ(sound_.played, c.sounds);
    EXPECT_EQ(shown("statictext47"), c.taskKey);
    EXPECT_EQ(shown("statictext50"), c.pressedKey);
    EXPECT_EQ(shown("Label6"), c.accuracy);
    const std::string hits = std::to_string(c.hitCount);
    EXPECT_EQ(shown("StaticText57"), hits);
    EXPECT_EQ(shown("StaticText61"), hits);
    EXPECT_EQ(shown(state().TrialActive ? "Label14" : "Label4"), std::to_string(c.keyCount));
    EXPECT_TRUE(random_.script.empty()) << "every scripted draw should have been used";
}

INSTANTIATE_TEST_SUITE_P(Drill, Judging, ::testing::ValuesIn(kJudgingCases), CaseName());

TEST_F(DrillFixture, KeyDownCountsStartsTheClockThenShowsAndMarksTheLetter) {
    keyDown('F');
    EXPECT_THAT(log_.calls, ElementsAre("timer MMTimer1=on", "caption Label4=1",
                                        "caption statictext50=F", "font statictext28=clNone"));
}

TEST_F(DrillFixture, KeyDownOfANonLetterOnlyCountsAndStartsTheClock) {
    for (std::uint16_t code : {std::uint16_t{16}, std::uint16_t{64}, std::uint16_t{91},
                               std::uint16_t{97}, std::uint16_t{0xFFFF}}) {
        keyDown(code);
    }
    EXPECT_EQ(state().KeyCount, 5);
    for (const std::string& call : log_.calls) {
        EXPECT_TRUE(call.starts_with("timer MMTimer1=") || call.starts_with("caption Label4="))
            << call;
    }
}

TEST_F(DrillFixture, FAndJHeldTogetherAreBothMarkedAndTheFirstReleaseClearsBoth) {
    keyDown('F');
    keyDown('J');
    EXPECT_EQ(window_.fontColours.at("statictext28"), drill::clNone);
    EXPECT_EQ(window_.fontColours.at("statictext31"), drill::clNone);
    keyUp();
    for (const drill::KeyCell& cell : drill::keyCells()) {
        if (cell.keyCode != 0) {
            EXPECT_EQ(window_.fontColours.at(std::string(cell.name)), drill::clBlack) << cell.name;
        } else {
            EXPECT_FALSE(window_.fontColours.contains(cell.name)) << cell.name;
        }
    }
}

std::vector<std::string> clearMarksCalls() {
    std::vector<std::string> calls;
    for (char letter : drill::kMarkClearOrder) {
        calls.push_back("font " + std::string(letterCell(letter).name) + "=clBlack");
    }
    return calls;
}

TEST_F(DrillFixture, HitStepsRunInOrderWithTheSoundBeforeAnyCounter) {
    std::int32_t hitsDuringSound = -1;
    std::string hitLabelDuringSound;
    sound_.onPlay = [&] {
        hitsDuringSound = state().HitCount;
        hitLabelDuringSound = shown("StaticText57");
    };
    keyDown('R');
    keyDown('R');
    log_.calls.clear();
    random_.script = {5};
    keyUp();

    std::vector<std::string> expected{"reseed"};
    const auto clear = clearMarksCalls();
    expected.insert(expected.end(), clear.begin(), clear.end());
    expected.insert(expected.end(), {"read statictext47", "read statictext50", "play ok.wav",
                                     "caption StaticText57=1", "caption StaticText61=1",
                                     "caption Label6=50", "draw 13", "caption statictext47=B"});
    EXPECT_THAT(log_.calls, ElementsAreArray(expected));
    EXPECT_EQ(hitsDuringSound, 0);
    EXPECT_EQ(hitLabelDuringSound, "0");
}

TEST_F(DrillFixture, MissReseedsClearsThenPlaysTheMissSoundOnly) {
    keyDown('F');
    log_.calls.clear();
    keyUp();
    std::vector<std::string> expected{"reseed"};
    const auto clear = clearMarksCalls();
    expected.insert(expected.end(), clear.begin(), clear.end());
    expected.insert(expected.end(), {"read statictext47", "read statictext50", "play mis.wav"});
    EXPECT_THAT(log_.calls, ElementsAreArray(expected));
}

TEST_F(DrillFixture, WordProcessorReleaseReseedsAndClearsButDoesNotJudge) {
    switchMode(2);
    keyDown('R');
    EXPECT_EQ(shown("statictext50"), "") << "no letter is shown in word-processor mode";
    EXPECT_FALSE(window_.fontColours.contains("statictext16"));
    log_.calls.clear();
    keyUp();
    std::vector<std::string> expected{"reseed"};
    const auto clear = clearMarksCalls();
    expected.insert(expected.end(), clear.begin(), clear.end());
    EXPECT_THAT(log_.calls, ElementsAreArray(expected));
}

TEST_F(DrillFixture, TimeTrialKeyDownStartsTheCountdownAndWritesItsOwnLabel) {
    switchMode(1);
    log_.calls.clear();
    keyDown('R');
    EXPECT_THAT(log_.calls, ElementsAre("timer MMTimer2=on", "caption Label14=1",
                                        "caption statictext50=R", "font statictext16=clNone"));
    EXPECT_FALSE(window_.timerOn("MMTimer1"));
}

TEST_F(DrillFixture, EveryReleaseReseedsOnceWhateverItJudges) {
    keyDown('R');
    keyUp();
    keyDown('F');
    keyUp();
    switchMode(2);
    keyUp();
    EXPECT_THAT(sound_.played, ElementsAre("ok.wav", "mis.wav"));
    EXPECT_EQ(random_.reseeds, 3);
}

// A clock that cannot start ends the key-down after the count; the error
// reaches the caller as the port threw it.
class TimerFailure : public DrillFixture, public ::testing::WithParamInterface<int> {};

TEST_P(TimerFailure, PropagatesUnchangedAfterTheCountAndLaterKeysRunInFull) {
    const bool trial = GetParam() == 1;
    if (trial) {
        switchMode(1);
    }
    const char* timer = trial ? "MMTimer2" : "MMTimer1";
    const char* keyLabel = trial ? "Label14" : "Label4";
    window_.failingTimers.insert(timer);
    log_.calls.clear();

    std::uint16_t key = 'F';
    try {
        drill_.FormKeyDown(key);
        FAIL() << "the timer error was swallowed";
    } catch (const FakeTimerError& e) {
        EXPECT_STREQ(e.what(), "No timer available");
    }
    EXPECT_EQ(state().KeyCount, 1);
    EXPECT_THAT(log_.calls, ElementsAre(std::string("timer ") + timer + "=on"));
    EXPECT_EQ(shown(keyLabel), "0");
    EXPECT_EQ(shown("statictext50"), "");

    // Its release is judged as usual: "" against "R" is a miss.
    keyUp();
    EXPECT_THAT(sound_.played, ElementsAre("mis.wav"));

    // The timer counts as enabled now, so the next key-down runs every step.
    keyDown('R');
    EXPECT_EQ(shown(keyLabel), "2");
    EXPECT_EQ(shown("statictext50"), "R");
}

INSTANTIATE_TEST_SUITE_P(Drill, TimerFailure, ::testing::Values(0, 1), ModeName());

TEST_F(DrillFixture, FirstActivationHidesTheEditorThenSelectsTheIndexRegion) {
    CallLog log;
    FakeWindow window(log);
    FakeSound sound(log);
    FakeRandom random(log);
    drill::Drill fresh(window, sound, random);
    fresh.FormActivate();
    ASSERT_FALSE(log.calls.empty());
    EXPECT_EQ(log.calls.front(), "visible RichEdit1=0");
    EXPECT_EQ(window.shown("statictext47"), "R");
    EXPECT_EQ(fresh.state().Region, 4);
    EXPECT_EQ(fresh.state().Mode, drill::ModeState::Standard);
    EXPECT_EQ(fresh.state().TrialMinutes, 1);
    EXPECT_FALSE(window.timerOn("MMTimer1"));
    EXPECT_FALSE(window.timerOn("MMTimer2"));
    EXPECT_THAT(sound.played, IsEmpty());
    EXPECT_FALSE(window.colours.contains("Form1"));
}

} // namespace
} // namespace drilltest
