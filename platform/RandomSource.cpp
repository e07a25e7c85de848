#include "platform/RandomSource.h"

#include <algorithm>
#include <ctime>
#include <stdexcept>

namespace platform {

RandomSource::RandomSource() : RandomSource(Clock(&std::chrono::system_clock::now)) {}

RandomSource::RandomSource(Clock clock) : clock_(std::move(clock)) {
    reseedFromTimeOfDay();
}

RandomSource::RandomSource(std::uint32_t seed)
    : clock_(&std::chrono::system_clock::now), engine_(seed) {}

void RandomSource::reseedFromTimeOfDay() {
    reseed(millisecondOfDay(clock_()));
}

void RandomSource::reseed(std::uint32_t seed) {
    engine_.seed(seed);
}

int RandomSource::draw(int n) {
    if (n < 1) {
        throw std::invalid_argument("RandomSource::draw needs n >= 1");
    }
    // libstdc++ draws by rejection, so every value has the same odds.
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

std::uint32_t RandomSource::millisecondOfDay(std::chrono::system_clock::time_point when) {
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    using std::chrono::seconds;
    const auto sinceEpoch = duration_cast<milliseconds>(when.time_since_epoch());
    const auto wholeSeconds = std::chrono::floor<seconds>(sinceEpoch);
    const std::time_t asTime = static_cast<std::time_t>(wholeSeconds.count());
    std::tm local{};
    if (localtime_r(&asTime, &local) == nullptr) {
        local = {};
    }
    const auto secondOfDay = static_cast<std::uint32_t>(local.tm_hour * 3600 + local.tm_min * 60 +
                                                        std::min(local.tm_sec, 59));
    return secondOfDay * 1000 + static_cast<std::uint32_t>((sinceEpoch - wholeSeconds).count());
}

} // namespace platform
