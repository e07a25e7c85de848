#pragma once
// The on-screen keyboard: every key cell of the keyboard panel "Panel1", by
// keyboard row and from left to right. The window builds the cells from this
// table; the drill only ever changes the font colour of the 26 letter cells.
#include "drill/Colour.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace drill {

enum class KeyRow { Number, Top, Home, Bottom };

struct KeyCell {
    std::string_view name;
    // UTF-8; empty for the two blank cells, which have no caption at all.
    std::string_view caption;
    KeyRow row;
    // The finger colour of the key, or the colour of a blank cell.
    Colour colour;
    // Pixel height of the characters without internal leading; 0 for a blank
    // cell, which has no font of its own.
    int charHeight;
    // Pixels relative to "Panel1".
    int left;
    int top;
    int width;
    int height;
    bool shownAtStart;
    // Virtual-key code of the capital letter for the 26 letter cells, else 0.
    int keyCode;
};

// clang-format off
inline constexpr std::array<KeyCell, 49> kKeyCells{{
    {"statictext1",  "1",  KeyRow::Number, clRed,     20,  44,  44, 17, 18, false, 0},
    {"statictext2",  "2",  KeyRow::Number, clOlive,   20,  76,  44, 17, 18, false, 0},
    {"statictext3",  "3",  KeyRow::Number, clLime,    20, 108,  44, 17, 18, false, 0},
    {"statictext4",  "4",  KeyRow::Number, clTeal,    20, 140,  44, 17, 18, false, 0},
    {"statictext5",  "5",  KeyRow::Number, clTeal,    20, 172,  44, 17, 18, false, 0},
    {"statictext6",  "6",  KeyRow::Number, clFuchsia, 20, 204,  44, 17, 18, false, 0},
    {"statictext7",  "7",  KeyRow::Number, clFuchsia, 20, 236,  44, 17, 18, false, 0},
    {"statictext8",  "8",  KeyRow::Number, clLime,    20, 268,  44, 17, 18, false, 0},
    {"statictext9",  "9",  KeyRow::Number, clOlive,   20, 300,  44, 17, 18, false, 0},
    {"statictext10", "0",  KeyRow::Number, clRed,     20, 332,  44, 17, 18, false, 0},
    {"statictext11", "-",  KeyRow::Number, clRed,     20, 364,  44, 17, 18, false, 0},
    {"statictext12", "^",  KeyRow::Number, clRed,     20, 396,  44, 17, 18, false, 0},
    {"statictext13", "Q",  KeyRow::Top,    clRed,     21,  60,  76, 17, 20, true,  81},
    {"statictext14", "W",  KeyRow::Top,    clOlive,   19,  92,  76, 17, 20, true,  87},
    {"statictext15", "E",  KeyRow::Top,    clLime,    21, 124,  76, 17, 20, true,  69},
    {"statictext16", "R",  KeyRow::Top,    clTeal,    21, 156,  76, 17, 20, true,  82},
    {"statictext17", "T",  KeyRow::Top,    clTeal,    21, 188,  76, 17, 20, true,  84},
    {"statictext18", "Y",  KeyRow::Top,    clFuchsia, 21, 220,  76, 17, 20, true,  89},
    {"statictext19", "U",  KeyRow::Top,    clFuchsia, 21, 252,  76, 17, 20, true,  85},
    {"statictext20", "I",  KeyRow::Top,    clLime,    21, 284,  76, 17, 20, true,  73},
    {"statictext21", "O",  KeyRow::Top,    clOlive,   21, 316,  76, 17, 20, true,  79},
    {"statictext22", "P",  KeyRow::Top,    clRed,     21, 348,  76, 17, 20, true,  80},
    {"statictext23", "@",  KeyRow::Top,    clRed,     20, 380,  76, 17, 18, false, 0},
    {"statictext24", "[",  KeyRow::Top,    clRed,     20, 412,  76, 17, 18, false, 0},
    {"statictext25", "A",  KeyRow::Home,   clRed,     21,  68, 112, 17, 20, true,  65},
    {"statictext26", "S",  KeyRow::Home,   clOlive,   21, 100, 112, 17, 20, true,  83},
    {"statictext27", "D",  KeyRow::Home,   clLime,    21, 132, 112, 17, 20, true,  68},
    {"statictext28", "F",  KeyRow::Home,   clTeal,    21, 164, 112, 17, 20, true,  70},
    {"statictext29", "G",  KeyRow::Home,   clTeal,    21, 196, 112, 17, 20, true,  71},
    {"statictext30", "H",  KeyRow::Home,   clFuchsia, 21, 228, 112, 17, 20, true,  72},
    {"statictext31", "J",  KeyRow::Home,   clFuchsia, 21, 260, 112, 17, 20, true,  74},
    {"statictext32", "K",  KeyRow::Home,   clLime,    21, 292, 112, 17, 20, true,  75},
    {"statictext33", "L",  KeyRow::Home,   clOlive,   21, 324, 112, 17, 20, true,  76},
    {"statictext34", ";",  KeyRow::Home,   clRed,     20, 356, 112, 17, 18, false, 0},
    {"statictext35", ":",  KeyRow::Home,   clRed,     20, 388, 112, 17, 18, false, 0},
    {"statictext36", "]",  KeyRow::Home,   clRed,     20, 420, 112, 17, 18, false, 0},
    {"statictext37", "Z",  KeyRow::Bottom, clRed,     21,  84, 144, 17, 20, true,  90},
    {"statictext38", "X",  KeyRow::Bottom, clOlive,   21, 116, 144, 17, 20, true,  88},
    {"statictext39", "C",  KeyRow::Bottom, clLime,    21, 148, 144, 17, 20, true,  67},
    {"statictext40", "V",  KeyRow::Bottom, clTeal,    21, 180, 144, 17, 20, true,  86},
    {"statictext41", "B",  KeyRow::Bottom, clTeal,    21, 212, 144, 17, 20, true,  66},
    {"statictext42", "N",  KeyRow::Bottom, clFuchsia, 21, 244, 144, 17, 20, true,  78},
    {"statictext43", "M",  KeyRow::Bottom, clFuchsia, 21, 276, 144, 17, 20, true,  77},
    {"statictext44", ",",  KeyRow::Bottom, clLime,    19, 308, 144, 17, 18, false, 0},
    {"statictext45", ".",  KeyRow::Bottom, clOlive,   19, 340, 144, 17, 18, false, 0},
    {"statictext46", "/",  KeyRow::Bottom, clRed,     20, 372, 144, 17, 18, false, 0},
    {"StaticText53", "",   KeyRow::Bottom, clWhite,    0, 402, 139, 27, 26, true,  0},
    {"StaticText52", "\\", KeyRow::Bottom, clRed,     20, 402, 143, 20, 19, false, 0},
    {"StaticText54", "",   KeyRow::Bottom, clBtnFace,  0, 430, 137,  2, 33, true,  0},
}};
// clang-format on

constexpr std::span<const KeyCell> keyCells() {
    return kKeyCells;
}

// Position in kKeyCells of the letter cell a virtual-key code addresses, or
// kNoKeyCell for any code that is not one of the 26 letters (0 included: no
// cell answers to it). Index-based so compile-time table checks need no
// pointer comparisons, which some sanitizer builds refuse in constant
// expressions.
inline constexpr std::size_t kNoKeyCell = kKeyCells.size();

constexpr std::size_t letterCellIndex(int keyCode) {
    if (keyCode == 0) {
        return kNoKeyCell;
    }
    for (std::size_t i = 0; i < kKeyCells.size(); ++i) {
        if (kKeyCells[i].keyCode == keyCode) {
            return i;
        }
    }
    return kNoKeyCell;
}

// The letter cell a virtual-key code addresses, or nullptr.
constexpr const KeyCell* letterCellByKeyCode(int keyCode) {
    const std::size_t i = letterCellIndex(keyCode);
    return i == kNoKeyCell ? nullptr : &kKeyCells[i];
}

} // namespace drill
