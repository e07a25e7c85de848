// Accuracy is whole percent, truncated, and exact: the figures a learner can
// check by hand must come out as they would on paper.
#include "drill/Accuracy.h"

#include "FakePorts.h"

#include <cstdint>
#include <limits>
#include <ostream>

namespace drilltest {
namespace {

struct AccuracyCase {
    const char* name;
    std::int32_t hits;
    std::int32_t keys;
    const char* shown;
};

void PrintTo(const AccuracyCase& c, std::ostream* os) {
    *os << c.name;
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

const AccuracyCase kAccuracyCases[] = {
    {"FiftyThreeInHundred", 53, 100, "53"},
    {"FiftyNineInHundred", 59, 100, "59"},
    {"TwentyNineInHundred", 29, 100, "29"},
    {"FiftySevenInHundred", 57, 100, "57"},
    {"OneInThreeTruncates", 1, 3, "33"},
    {"TwoInThreeTruncatesNotRounds", 2, 3, "66"},
    {"JustUnderAll", 99, 100, "99"},
    {"JustUnderOnePercent", 1, 101, "0"},
    {"All", 7, 7, "100"},
    {"MoreHitsThanKeystrokes", 3, 2, "150"},
};

class Accuracy : public DrillFixture, public ::testing::WithParamInterface<AccuracyCase> {};

// Drives the real handlers: the keystrokes that are not hits are Shift
// presses without a release, then every hit is R on the task key R.
TEST_P(Accuracy, ShownAfterTheLastHit) {
    const AccuracyCase& c = GetParam();
    log_.enabled = false;
    const std::int32_t hitsWithOwnKeyDown = c.hits < c.keys ? c.hits : c.keys;
    for (std::int32_t i = 0; i < c.keys - hitsWithOwnKeyDown; ++i) {
        keyDown(kShift);
    }
    for (std::int32_t i = 0; i < hitsWithOwnKeyDown; ++i) {
        press('R');
    }
    for (std::int32_t i = hitsWithOwnKeyDown; i < c.hits; ++i) {
        keyUp();
    }
    ASSERT_EQ(state().KeyCount, c.keys);
    ASSERT_EQ(state().HitCount, c.hits);
    EXPECT_EQ(shown("Label6"), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Drill, Accuracy, ::testing::ValuesIn(kAccuracyCases), CaseName());

TEST(AccuracyPercent, StaysExactAtTheEndsOfTheCounters) {
    EXPECT_EQ(drill::accuracyPercent(kMax, kMax), 100);
    EXPECT_EQ(drill::accuracyPercent(kMax - 1, kMax), 99);
    EXPECT_EQ(drill::accuracyPercent(kMax, 1), std::int64_t{kMax} * 100);
    EXPECT_EQ(drill::accuracyPercent(1, kMax), 0);
    EXPECT_EQ(drill::accuracyPercent(0, 1), 0);
}

TEST_F(DrillFixture, MissAndKeyDownLeaveTheAccuracyOfTheLastHit) {
    press('R'); // hit, draws slot 0: "R" again
    keyDown('F');
    keyUp();
    keyDown(kShift);
    EXPECT_EQ(shown("Label6"), "100");
}

TEST_F(DrillFixture, HitWithNoKeystrokeRaisesNoErrorAndTheNextHitIsNormal) {
    keyDown('R');
    drill_.StaticText59Click();
    random_.script = {0};
    EXPECT_NO_THROW(keyUp());
    EXPECT_EQ(state().HitCount, 1);
    EXPECT_EQ(shown("StaticText57"), "1");
    EXPECT_EQ(shown("StaticText61"), "1");
    EXPECT_EQ(shown("Label6"), "0");

    press('R');
    EXPECT_EQ(state().KeyCount, 1);
    EXPECT_EQ(state().HitCount, 2);
    EXPECT_EQ(shown("Label6"), "200");
}

} // namespace
} // namespace drilltest
