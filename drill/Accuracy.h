#pragma once
#include <cstdint>

namespace drill {

// Whole percent of hits per keystroke, truncated toward zero, computed exactly
// in integers so that 53 in 100 shows 53. Hits may outnumber keystrokes (a
// release whose key-down went to another window), giving more than 100.
// Precondition: keyCount > 0.
constexpr std::int64_t accuracyPercent(std::int32_t hitCount, std::int32_t keyCount) {
    return std::int64_t{hitCount} * 100 / std::int64_t{keyCount};
}

} // namespace drill
