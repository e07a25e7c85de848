#pragma once
// The order in which a key release turns the 26 letter cells back to black:
// keyboard rows top to bottom, each left to right.
#include <string_view>

namespace drill {

inline constexpr std::string_view kMarkClearOrder = "QWERTYUIOPASDFGHJKLZXCVBNM";

} // namespace drill
