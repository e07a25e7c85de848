// Where the next call of a periodic timer falls, with time given as data.
#include "platform/TimerGrid.h"

#include <chrono>
#include <gtest/gtest.h>
#include <ostream>

namespace {

using Ms = std::chrono::milliseconds;
using TimePoint = std::chrono::time_point<std::chrono::steady_clock, Ms>;

struct GridCase {
    const char* name;
    long start;
    long period;
    long now;
    long expected;
};

const GridCase kGridCases[] = {
    {"OnTimeGoesToNextPoint", 0, 10, 10, 20},
    {"SlightlyLateStaysOnGrid", 0, 10, 13, 20},
    {"JustBeforePointTakesIt", 0, 10, 19, 20},
    {"MissedPointsAreSkipped", 0, 10, 45, 50},
    {"OffsetStartKeepsItsPhase", 7, 10, 30, 37},
    {"LongRunDoesNotDrift", 5, 1000, 3'600'000, 3'600'005},
    {"ClockBeforeStartWaitsOnePeriod", 100, 10, 90, 110},
};

void PrintTo(const GridCase& c, std::ostream* out) {
    *out << c.name;
}

class TimerGrid : public testing::TestWithParam<GridCase> {};

TEST_P(TimerGrid, NextPoint) {
    const GridCase& c = GetParam();
    const TimePoint next =
        platform::nextGridPoint(TimePoint(Ms(c.start)), Ms(c.period), TimePoint(Ms(c.now)));
    EXPECT_EQ(next.time_since_epoch().count(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimerGrid, testing::ValuesIn(kGridCases),
                         [](const testing::TestParamInfo<GridCase>& row) {
                             return row.param.name;
                         });

} // namespace
