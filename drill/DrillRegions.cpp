#include "drill/Drill.h"
#include "drill/Regions.h"

namespace drill {

void Drill::chooseRegion(int region) {
    const RegionRow& row = regionRow(region);
    if (!row.firstTaskKey.empty()) {
        window_.setCaption("statictext47", row.firstTaskKey);
    }
    window_.setCaption("StaticText51", row.hint);
    state_.Region = region;
    for (std::string_view panel : kRegionFramePanels) {
        window_.setColour(panel, frameColour(row, panel));
    }
}

void Drill::Button4Click() {
    chooseRegion(1);
}
void Drill::Button3Click() {
    chooseRegion(2);
}
void Drill::Button2Click() {
    chooseRegion(3);
}
void Drill::Button6Click() {
    chooseRegion(4);
}
void Drill::Button1Click() {
    chooseRegion(5);
}

} // namespace drill
