#include "platform/RandomSource.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

using platform::RandomSource;
using TimePoint = std::chrono::system_clock::time_point;

// Pearson's statistic of observed counts against equal odds.
double chiSquare(const std::vector<int>& counts, int draws) {
    const double expected = static_cast<double>(draws) / static_cast<double>(counts.size());
    double sum = 0;
    for (const int count : counts) {
        sum += (count - expected) * (count - expected) / expected;
    }
    return sum;
}

// Critical values at p = 0.0001: a fair draw exceeds them once in ten
// thousand seeds, a biased or clipped one by far; the seeds below are fixed,
// so the outcome never varies by run.
struct UniformityRow {
    int n;
    double critical;
};
constexpr UniformityRow kRows[] = {{5, 23.51}, {13, 39.13}, {27, 61.66}};

TEST(RandomSource, DrawsAreInRangeAndEvenlySpread) {
    constexpr int kDrawsPerValue = 2000;
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.n);
        RandomSource random(12345u);
        std::vector<int> counts(static_cast<std::size_t>(row.n));
        const int draws = row.n * kDrawsPerValue;
        for (int i = 0; i < draws; ++i) {
            const int k = random.draw(row.n);
            ASSERT_GE(k, 0);
            ASSERT_LT(k, row.n);
            ++counts[static_cast<std::size_t>(k)];
        }
        EXPECT_LT(chiSquare(counts, draws), row.critical);
    }
}

// The drill reseeds before every draw, so what must be even is the first
// draw after a seed, taken over consecutive milliseconds.
TEST(RandomSource, FirstDrawAfterConsecutiveSeedsIsEvenlySpread) {
    constexpr int kDrawsPerValue = 500;
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.n);
        RandomSource random(0u);
        std::vector<int> counts(static_cast<std::size_t>(row.n));
        const int draws = row.n * kDrawsPerValue;
        for (int ms = 0; ms < draws; ++ms) {
            random.reseed(static_cast<std::uint32_t>(40'000'000 + ms));
            ++counts[static_cast<std::size_t>(random.draw(row.n))];
        }
        EXPECT_LT(chiSquare(counts, draws), row.critical);
    }
}

TEST(RandomSource, SameMillisecondGivesSameSequence) {
    TimePoint now =
        std::chrono::system_clock::from_time_t(1'700'000'000) + std::chrono::milliseconds(250);
    RandomSource first([&now] { return now; });
    RandomSource second(777u);
    auto sequence = [](RandomSource& random) {
        std::vector<int> values;
        for (int i = 0; i < 20; ++i) {
            values.push_back(random.draw(27));
        }
        return values;
    };
    const std::vector<int> fromClock = sequence(first);
    second.reseed(RandomSource::millisecondOfDay(now));
    EXPECT_EQ(sequence(second), fromClock);

    first.reseedFromTimeOfDay(); // the clock has not moved: the run repeats
    EXPECT_EQ(sequence(first), fromClock);
    now += std::chrono::milliseconds(1);
    first.reseedFromTimeOfDay();
    EXPECT_NE(sequence(first), fromClock);
}

TEST(RandomSource, MillisecondOfDayFollowsTheLocalClock) {
    struct Row {
        const char* zone;
        std::int64_t epochMs;
        std::uint32_t expected;
    };
    const Row rows[] = {
        {"UTC0", 0, 0},
        {"UTC0", 86'399'999, 86'399'999},
        {"UTC0", 86'400'000, 0},
        {"UTC0", 1'700'000'000'123, 80'000'123}, // 22:13:20.123
        {"JST-9", 1'700'000'000'123, 80'000'123 + 9 * 3'600'000 - 86'400'000},
        {"UTC0", -1, 86'399'999}, // just before the epoch: still the day before
    };
    const char* savedZone = std::getenv("TZ");
    const std::string restore = savedZone != nullptr ? savedZone : "";
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.zone) + " " + std::to_string(row.epochMs));
        setenv("TZ", row.zone, 1);
        tzset();
        const TimePoint when{std::chrono::milliseconds(row.epochMs)};
        EXPECT_EQ(RandomSource::millisecondOfDay(when), row.expected);
    }
    if (savedZone != nullptr) {
        setenv("TZ", restore.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(RandomSource, DrawOfNothingIsAnError) {
    RandomSource random(1u);
    EXPECT_THROW(random.draw(0), std::invalid_argument);
    EXPECT_THROW(random.draw(-3), std::invalid_argument);
    EXPECT_EQ(random.draw(1), 0);
}

} // namespace
