#include "drill/Regions.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace drill {

const RegionRow& regionRow(int region) {
    const auto* found = std::find_if(kRegions.begin(), kRegions.end(),
                                     [region](const RegionRow& r) { return r.region == region; });
    if (found == kRegions.end()) {
        throw std::out_of_range("no finger region " + std::to_string(region));
    }
    return *found;
}

Colour frameColour(const RegionRow& region, std::string_view panel) {
    const auto own = std::find_if(region.frames.begin(), region.frames.end(),
                                  [panel](const RegionFrame& f) { return f.panel == panel; });
    return own == region.frames.end() ? clBtnFace : own->colour;
}

} // namespace drill
