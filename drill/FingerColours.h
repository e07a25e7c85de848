#pragma once
// Which finger types which key, and the colour that names the finger on the
// on-screen keyboard. The key-cell table carries the colour per cell; this
// table is the reason behind it.
#include "drill/Colour.h"

#include <array>
#include <string_view>

namespace drill {

enum class Finger { Little, Ring, Middle, LeftIndex, RightIndex };

struct FingerColour {
    Finger finger;
    Colour colour;
    // Captions of the letter cells the finger types, both hands.
    std::string_view letterKeys;
    // Captions of the hidden digit and punctuation cells it types.
    std::string_view hiddenKeys;
};

inline constexpr std::array<FingerColour, 5> kFingerColours{{
    {Finger::Little, clRed, "QAZP", "10-^@[;:]/\\"},
    {Finger::Ring, clOlive, "WSXOL", "29."},
    {Finger::Middle, clLime, "EDCIK", "38,"},
    {Finger::LeftIndex, clTeal, "RTFGVB", "45"},
    {Finger::RightIndex, clFuchsia, "YUHJNM", "67"},
}};

} // namespace drill
