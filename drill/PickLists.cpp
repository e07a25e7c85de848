#include "drill/PickLists.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace drill {

const PickList& pickListForRegion(int region) {
    const auto* found = std::find_if(kPickLists.begin(), kPickLists.end(),
                                     [region](const PickList& p) { return p.region == region; });
    if (found == kPickLists.end()) {
        throw std::out_of_range("no pick list for region " + std::to_string(region));
    }
    return *found;
}

} // namespace drill
