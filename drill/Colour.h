#pragma once
// The named colours the drill and the window speak in. RGB colours are
// 0x00BBGGRR as the stored form writes them; system colours carry the high
// byte 0xFF and the system colour index, so the window resolves them against
// the running desktop's palette rather than a fixed RGB.
#include <cstdint>

namespace drill {

using Colour = std::uint32_t;

constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{r} | (Colour{g} << 8) | (Colour{b} << 16);
}

inline constexpr Colour clBlack = rgb(0, 0, 0);
inline constexpr Colour clMaroon = rgb(128, 0, 0);
inline constexpr Colour clGreen = rgb(0, 128, 0);
inline constexpr Colour clOlive = rgb(128, 128, 0);
inline constexpr Colour clTeal = rgb(0, 128, 128);
inline constexpr Colour clRed = rgb(255, 0, 0);
inline constexpr Colour clLime = rgb(0, 255, 0);
inline constexpr Colour clYellow = rgb(255, 255, 0);
inline constexpr Colour clFuchsia = rgb(255, 0, 255);
inline constexpr Colour clWhite = rgb(255, 255, 255);
inline constexpr Colour clBtnFace = 0xFF00000Fu;
inline constexpr Colour clWindow = 0xFF000005u;
inline constexpr Colour clWindowText = 0xFF000008u;
// Names no RGB colour; only ever the font colour of a marked letter cell.
inline constexpr Colour clNone = 0x1FFFFFFFu;

constexpr bool isSystemColour(Colour c) { return (c & 0xFF000000u) == 0xFF000000u; }
constexpr std::uint8_t redOf(Colour c) { return static_cast<std::uint8_t>(c & 0xFFu); }
constexpr std::uint8_t greenOf(Colour c) { return static_cast<std::uint8_t>((c >> 8) & 0xFFu); }
constexpr std::uint8_t blueOf(Colour c) { return static_cast<std::uint8_t>((c >> 16) & 0xFFu); }

} // namespace drill
