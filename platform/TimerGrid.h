#pragma once
// Where a periodic timer's next call falls: on the grid start + k × period,
// at the first grid point strictly after `now`. Grid points that have already
// passed (a slow callback, a busy machine) are skipped, not made up for, and
// lateness never adds up over a run.
#include <chrono>

namespace platform {

template <class TimePoint, class Duration>
TimePoint nextGridPoint(TimePoint start, Duration period, TimePoint now) {
    if (now < start) {
        return start + period;
    }
    const auto periodsPassed = (now - start) / period;
    return start + (periodsPassed + 1) * period;
}

} // namespace platform
