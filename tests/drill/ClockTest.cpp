// The two clocks, driven by calling their tick handlers directly: the time a
// test needs is data, not sleeping.
#include "FakePorts.h"

#include <gmock/gmock.h>
#include <ostream>

namespace drilltest {
namespace {

using ::testing::ElementsAre;

struct ElapsedCase {
    const char* name;
    int ticks;
    const char* minutes;
    const char* seconds;
};

void PrintTo(const ElapsedCase& c, std::ostream* os) {
    *os << c.name;
}

const ElapsedCase kElapsedCases[] = {
    {"FirstTick", 1, "0", "1"},          {"LastSecondOfFirstMinute", 59, "0", "59"},
    {"FullMinute", 60, "1", "0"},        {"MinuteAndFive", 65, "1", "5"},
    {"HourHasNoField", 3600, "60", "0"},
};

class ElapsedClock : public DrillFixture, public ::testing::WithParamInterface<ElapsedCase> {};

TEST_P(ElapsedClock, ShowsWholeMinutesAndSecondsInTheMinute) {
    const ElapsedCase& c = GetParam();
    log_.enabled = false;
    for (int i = 0; i < c.ticks; ++i) {
        drill_.MMTimer1Timer();
    }
    EXPECT_EQ(state().ElapsedSeconds, c.ticks);
    EXPECT_EQ(shown("StaticText55"), c.minutes);
    EXPECT_EQ(shown("StaticText56"), c.seconds);
}

INSTANTIATE_TEST_SUITE_P(Drill, ElapsedClock, ::testing::ValuesIn(kElapsedCases), CaseName());

TEST_F(DrillFixture, ElapsedTickPaintsPendingChangesAfterWritingBothLabels) {
    drill_.MMTimer1Timer();
    EXPECT_THAT(log_.calls,
                ElementsAre("caption StaticText55=0", "caption StaticText56=1", "paint"));
}

TEST_F(DrillFixture, OnlyTheFirstKeyDownStartsTheElapsedClock) {
    press('F');
    press('F');
    EXPECT_TRUE(window_.timerOn("MMTimer1"));
    EXPECT_FALSE(window_.timerOn("MMTimer2"));
}

class Countdown : public DrillFixture {
protected:
    Countdown() {
        switchMode(1);
        keyDown('R');
        log_.calls.clear();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            drill_.MMTimer2Timer();
        }
    }
};

TEST_F(Countdown, OneMinuteTrialCountsDownThenTurnsTheWindowYellow) {
    ticks(1);
    EXPECT_EQ(shown("Label18"), "59");
    ticks(58);
    EXPECT_EQ(shown("Label18"), "1");
    EXPECT_TRUE(window_.timerOn("MMTimer2"));
    EXPECT_EQ(window_.colours.at("Form1"), drill::clTeal);
    log_.calls.clear();

    ticks(1);
    EXPECT_THAT(log_.calls,
                ElementsAre("timer MMTimer2=off", "caption Label18=0", "colour Form1=clYellow"));
    EXPECT_FALSE(window_.timerOn("MMTimer2"));
}

TEST_F(Countdown, KeyAfterTimeUpRestartsTheTimerAndItsNextTickExpiresAgain) {
    ticks(60);
    press('R');
    EXPECT_TRUE(window_.timerOn("MMTimer2"));
    EXPECT_EQ(state().KeyCount, 2) << "a key after time-up still counts";
    ticks(1);
    EXPECT_EQ(state().TrialTicks, 61);
    EXPECT_EQ(shown("Label18"), "0");
    EXPECT_FALSE(window_.timerOn("MMTimer2"));
    EXPECT_EQ(window_.colours.at("Form1"), drill::clYellow);
}

TEST_F(Countdown, MinutesSelectorStopsTheRunAndLeavesAYellowWindowYellow) {
    ticks(60);
    drill_.Label15Click();
    EXPECT_FALSE(window_.timerOn("MMTimer2"));
    EXPECT_EQ(shown("Label18"), "0");
    EXPECT_EQ(state().TrialTicks, 0);
    EXPECT_EQ(window_.colours.at("Form1"), drill::clYellow);
    EXPECT_EQ(shown("Label15"), "3");
    EXPECT_EQ(state().KeyCount, 1);
    EXPECT_EQ(shown("Label14"), "1");
}

TEST_F(Countdown, MinutesSelectorDuringARunStopsItAndTheNextKeyStartsAFullRun) {
    ticks(10);
    drill_.Label15Click();
    EXPECT_FALSE(window_.timerOn("MMTimer2"));
    EXPECT_EQ(shown("Label18"), "0");
    keyDown('R');
    ticks(1);
    EXPECT_EQ(shown("Label18"), "179");
}

TEST_F(DrillFixture, MinutesSelectorCyclesThroughTheFourLengths) {
    switchMode(1);
    std::vector<std::string> captions;
    for (int i = 0; i < 4; ++i) {
        drill_.Label15Click();
        captions.push_back(shown("Label15"));
    }
    EXPECT_THAT(captions, ElementsAre("3", "5", "10", "1"));
    EXPECT_EQ(state().TrialMinutes, 1);
}

TEST_F(DrillFixture, MinutesSelectorStepsInOrder) {
    switchMode(1);
    window_.timers["MMTimer2"] = true;
    log_.calls.clear();
    drill_.Label15Click();
    EXPECT_THAT(log_.calls,
                ElementsAre("timer MMTimer2=off", "caption Label18=0", "caption Label15=3"));
}

TEST_F(DrillFixture, TrialLengthSurvivesModeSwitchesAndFiveMinutesStartAt299) {
    switchMode(1);
    drill_.Label15Click();
    drill_.Label15Click();
    switchMode(0);
    switchMode(2);
    switchMode(1);
    EXPECT_EQ(shown("Label15"), "5");
    keyDown('R');
    drill_.MMTimer2Timer();
    EXPECT_EQ(shown("Label18"), "299");
}

TEST_F(DrillFixture, TenMinuteTrialStartsAt599) {
    switchMode(1);
    for (int i = 0; i < 3; ++i) {
        drill_.Label15Click();
    }
    keyDown('R');
    drill_.MMTimer2Timer();
    EXPECT_EQ(shown("Label18"), "599");
}

} // namespace
} // namespace drilltest
