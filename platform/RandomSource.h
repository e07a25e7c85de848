#pragma once
// The drill's pseudo-random generator: reseeded from the time of day in
// milliseconds before every judged key, so each draw follows from the
// millisecond at which that release was handled.
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>

namespace platform {

class RandomSource {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // Reads the system clock; seeded from it at once.
    RandomSource();
    // Reads `clock` instead, so tests can fix the moment of a reseed.
    explicit RandomSource(Clock clock);
    // Starts from `seed`; later reseeds read the system clock.
    explicit RandomSource(std::uint32_t seed);

    void reseedFromTimeOfDay();
    void reseed(std::uint32_t seed);

    // A whole number from 0 to n - 1, every value equally likely (no modulo
    // bias). Throws std::invalid_argument when n < 1.
    int draw(int n);

    // Milliseconds since local midnight by the local wall clock, 0 to
    // 86'399'999; a leap second counts as the second before it.
    static std::uint32_t millisecondOfDay(std::chrono::system_clock::time_point when);

private:
    Clock clock_;
    std::mt19937 engine_;
};

} // namespace platform
