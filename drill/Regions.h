#pragma once
// The five finger regions: what choosing one writes into the window, and the
// pick list a hit draws the next task key from while it is current.
#include "drill/Colour.h"

#include <array>
#include <span>
#include <string_view>

namespace drill {

inline constexpr int kFirstRegion = 1;
inline constexpr int kLastRegion = 5;

struct RegionFrame {
    std::string_view panel;
    Colour colour;
};

struct RegionRow {
    int region;
    std::string_view button;
    // UTF-8 text of the region hint line "StaticText51".
    std::string_view hint;
    // Empty: choosing the region leaves the task cell as it is.
    std::string_view firstTaskKey;
    // The region's frame panels (the index fingers have two halves).
    std::span<const RegionFrame> frames;
};

// Every frame panel, in the order choosing a region colours them.
inline constexpr std::array<std::string_view, 6> kRegionFramePanels{"Panel4", "Panel3", "Panel2",
                                                                    "Panel7", "Panel8", "Panel5"};

namespace regionframes {
inline constexpr std::array<RegionFrame, 1> kLittle{{{"Panel4", clRed}}};
inline constexpr std::array<RegionFrame, 1> kRing{{{"Panel3", clOlive}}};
inline constexpr std::array<RegionFrame, 1> kMiddle{{{"Panel2", clLime}}};
inline constexpr std::array<RegionFrame, 2> kIndex{{{"Panel7", clTeal}, {"Panel8", clFuchsia}}};
inline constexpr std::array<RegionFrame, 1> kAll{{{"Panel5", clYellow}}};
} // namespace regionframes

// The little-finger hint really ends its list with a lower-case "p".
inline constexpr std::array<RegionRow, 5> kRegions{{
    {1, "Button4", "Q.A.Z.pをランダムに課題キーとします。", "Q", regionframes::kLittle},
    {2, "Button3", "W.S.X.O.Lをランダムに課題キーとします。", "W", regionframes::kRing},
    {3, "Button2", "E.D.C.I.Kをランダムに課題キーとします。", "E", regionframes::kMiddle},
    {4, "Button6", "R.F.V.T.G.B.Y.H.N.U.J.Mをランダムに課題キーとします。", "R",
     regionframes::kIndex},
    {5, "Button1", "A..Zをランダムに課題キーとします。", "", regionframes::kAll},
}};

// Throws std::out_of_range for a number outside 1..5.
const RegionRow& regionRow(int region);

// The colour a frame panel takes while `region` is current: the region's own
// colour for its frames, clBtnFace for every other.
Colour frameColour(const RegionRow& region, std::string_view panel);

} // namespace drill
