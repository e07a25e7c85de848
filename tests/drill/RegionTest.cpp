// Choosing a finger region writes the task key, the hint and the six frame
// colours, in that order, and nothing else.
#include "FakePorts.h"

#include <gmock/gmock.h>
#include <ostream>
#include <random>

namespace drilltest {
namespace {

using ::testing::ElementsAreArray;

struct RegionCase {
    const char* name;
    void (drill::Drill::*handler)();
    int region;
    const char* taskKey; // nullptr: the task cell keeps its letter
    const char* hint;
    // Panel4, Panel3, Panel2, Panel7, Panel8, Panel5.
    std::array<const char*, 6> frames;
};

void PrintTo(const RegionCase& c, std::ostream* os) {
    *os << c.name;
}

const RegionCase kRegionCases[] = {
    {"Little",
     &drill::Drill::Button4Click,
     1,
     "Q",
     "Q.A.Z.pをランダムに課題キーとします。",
     {"clRed", "clBtnFace", "clBtnFace", "clBtnFace", "clBtnFace", "clBtnFace"}},
    {"Ring",
     &drill::Drill::Button3Click,
     2,
     "W",
     "W.S.X.O.Lをランダムに課題キーとします。",
     {"clBtnFace", "clOlive", "clBtnFace", "clBtnFace", "clBtnFace", "clBtnFace"}},
    {"Middle",
     &drill::Drill::Button2Click,
     3,
     "E",
     "E.D.C.I.Kをランダムに課題キーとします。",
     {"clBtnFace", "clBtnFace", "clLime", "clBtnFace", "clBtnFace", "clBtnFace"}},
    {"Index",
     &drill::Drill::Button6Click,
     4,
     "R",
     "R.F.V.T.G.B.Y.H.N.U.J.Mをランダムに課題キーとします。",
     {"clBtnFace", "clBtnFace", "clBtnFace", "clTeal", "clFuchsia", "clBtnFace"}},
    {"All",
     &drill::Drill::Button1Click,
     5,
     nullptr,
     "A..Zをランダムに課題キーとします。",
     {"clBtnFace", "clBtnFace", "clBtnFace", "clBtnFace", "clBtnFace", "clYellow"}},
};

class Region : public DrillFixture, public ::testing::WithParamInterface<RegionCase> {};

TEST_P(Region, WritesTaskKeyHintAndFramesOnly) {
    const RegionCase& c = GetParam();
    // Start from a different region with a counted hit, so leftovers show.
    drill_.Button4Click();
    press('Q');
    const std::string taskBefore = shown("statictext47");
    const drill::DrillState before = state();
    log_.calls.clear();

    (drill_.*c.handler)();

    std::vector<std::string> expected;
    if (c.taskKey != nullptr) {
        expected.push_back(std::string("caption statictext47=") + c.taskKey);
    }
    expected.push_back(std::string("caption StaticText51=") + c.hint);
    const char* panels[] = {"Panel4", "Panel3", "Panel2", "Panel7", "Panel8", "Panel5"};
    for (std::size_t i = 0; i < 6; ++i) {
        expected.push_back(std::string("colour ") + panels[i] + "=" + c.frames[i]);
    }
    EXPECT_THAT(log_.calls, ElementsAreArray(expected));
    EXPECT_EQ(shown("statictext47"), c.taskKey != nullptr ? c.taskKey : taskBefore);
    EXPECT_EQ(state().Region, c.region);
    EXPECT_EQ(state().KeyCount, before.KeyCount);
    EXPECT_EQ(state().HitCount, before.HitCount);
}

INSTANTIATE_TEST_SUITE_P(Drill, Region, ::testing::ValuesIn(kRegionCases), CaseName());

TEST_F(DrillFixture, LittleFingerHintEndsItsKeyListWithLowerCaseP) {
    drill_.Button4Click();
    EXPECT_TRUE(shown("StaticText51").starts_with("Q.A.Z.p"));
}

TEST_F(DrillFixture, RegionButtonResetsTheTaskKeyEvenWhenClickedAgain) {
    drill_.Button4Click();
    random_.script = {1}; // "A"
    press('Q');
    ASSERT_EQ(shown("statictext47"), "A");
    drill_.Button4Click();
    EXPECT_EQ(shown("statictext47"), "Q");
}

TEST_F(DrillFixture, NewRegionDrawsFromItsOwnListFromTheNextHit) {
    drill_.Button1Click();
    EXPECT_EQ(shown("statictext47"), "R");
    random_.script = {26};
    press('R');
    EXPECT_EQ(log_.calls.end()[-2], "draw 27");
    EXPECT_EQ(shown("statictext47"), "N");
}

// Odds over many hits with a real uniform generator: a letter standing in two
// slots comes up about twice as often. Seeded, so the figures are repeatable;
// the bands are wide enough for any seed.
struct OddsCase {
    const char* name;
    void (drill::Drill::*handler)();
    char letter;
    double expected;
    double otherLetter;
    char other;
};

void PrintTo(const OddsCase& c, std::ostream* os) {
    *os << c.name;
}

const OddsCase kOddsCases[] = {
    {"LittleA", &drill::Drill::Button4Click, 'A', 2.0 / 5, 1.0 / 5, 'Q'},
    {"RingO", &drill::Drill::Button3Click, 'O', 2.0 / 6, 1.0 / 6, 'W'},
    {"MiddleK", &drill::Drill::Button2Click, 'K', 2.0 / 6, 1.0 / 6, 'E'},
    {"IndexN", &drill::Drill::Button6Click, 'N', 2.0 / 13, 1.0 / 13, 'R'},
    {"AllN", &drill::Drill::Button1Click, 'N', 2.0 / 27, 1.0 / 27, 'Z'},
};

class PickListOdds : public DrillFixture, public ::testing::WithParamInterface<OddsCase> {};

TEST_P(PickListOdds, DoubleSlotComesUpTwiceAsOften) {
    const OddsCase& c = GetParam();
    std::mt19937 engine(20240611);
    random_.uniform = [&engine](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(engine);
    };
    log_.enabled = false;
    (drill_.*c.handler)();

    constexpr int kDraws = 27000;
    std::map<char, int> seen;
    for (int i = 0; i < kDraws; ++i) {
        press(shown("statictext47").at(0));
        ++seen[shown("statictext47").at(0)];
    }
    ASSERT_EQ(state().HitCount, kDraws) << "every press of the task key is a hit";
    EXPECT_NEAR(static_cast<double>(seen[c.letter]) / kDraws, c.expected, c.expected * 0.15);
    EXPECT_NEAR(static_cast<double>(seen[c.other]) / kDraws, c.otherLetter, c.otherLetter * 0.15);
}

INSTANTIATE_TEST_SUITE_P(Drill, PickListOdds, ::testing::ValuesIn(kOddsCases), CaseName());

} // namespace
} // namespace drilltest
