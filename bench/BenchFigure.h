#pragma once
// One headline figure of a benchmark, in a line that scripts/bench gathers
// into the summary table:  FIGURE|<what>|<value>|<unit>|<target>
// Each benchmark still prints its own detailed table as well.
#include <cstdio>
#include <string_view>

namespace bench {

inline void printFigure(std::string_view what, double value, std::string_view unit,
                        std::string_view target = "") {
    std::printf("FIGURE|%.*s|%.3f|%.*s|%.*s\n", static_cast<int>(what.size()), what.data(), value,
                static_cast<int>(unit.size()), unit.data(), static_cast<int>(target.size()),
                target.data());
}

} // namespace bench
