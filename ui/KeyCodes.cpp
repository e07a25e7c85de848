#include "ui/KeyCodes.h"

#include <Qt>
#include <algorithm>
#include <array>
#include <utility>

namespace ui {
namespace {

// xkb keycodes of the 26 letter positions (and the digit row) on a
// QWERTY/JIS board: evdev code + 8.
// clang-format off
constexpr std::array<std::pair<std::uint32_t, std::uint16_t>, 36> kPositions{{
    {24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'}, {28, 'T'}, {29, 'Y'}, {30, 'U'}, {31, 'I'}, {32, 'O'}, {33, 'P'},
    {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'}, {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'}, {46, 'L'},
    {52, 'Z'}, {53, 'X'}, {54, 'C'}, {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'},
    {10, '1'}, {11, '2'}, {12, '3'}, {13, '4'}, {14, '5'}, {15, '6'}, {16, '7'}, {17, '8'}, {18, '9'}, {19, '0'},
}};

constexpr std::array<std::pair<int, std::uint16_t>, 33> kNamedKeys{{
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},        {Qt::Key_Backtab, 9},     {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},     {Qt::Key_Shift, 16},     {Qt::Key_Control, 17},    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},     {Qt::Key_Pause, 19},     {Qt::Key_CapsLock, 20},   {Qt::Key_Kana_Shift, 21},
    {Qt::Key_Escape, 27},    {Qt::Key_Henkan, 28},    {Qt::Key_Muhenkan, 29},   {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},    {Qt::Key_PageDown, 34},  {Qt::Key_End, 35},        {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},      {Qt::Key_Up, 38},        {Qt::Key_Right, 39},      {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},     {Qt::Key_Insert, 45},    {Qt::Key_Delete, 46},     {Qt::Key_Meta, 91},
    {Qt::Key_Menu, 93},      {Qt::Key_NumLock, 144},  {Qt::Key_ScrollLock, 145},
    {Qt::Key_Hiragana_Katakana, 242}, {Qt::Key_Zenkaku_Hankaku, 243},
}};
// clang-format on

constexpr std::uint16_t kNoCode = 0;

bool isLetterCode(std::uint16_t code) {
    return code >= 'A' && code <= 'Z';
}

// A key that types a character no Latin layout has: its position, not its
// character, says which letter the learner meant.
bool typesNonLatin(int qtKey) {
    return qtKey == 0 || qtKey == Qt::Key_unknown || (qtKey > 0xFF && qtKey < Qt::Key_Escape);
}

std::uint16_t byPosition(std::uint32_t scanCode) {
    const auto* at =
        std::find_if(kPositions.begin(), kPositions.end(),
                     [scanCode](const auto& entry) { return entry.first == scanCode; });
    return at == kPositions.end() ? kNoCode : at->second;
}

} // namespace

std::uint16_t virtualKeyCode(const KeyFacts& key) {
    if (key.qtKey >= Qt::Key_A && key.qtKey <= Qt::Key_Z) {
        return static_cast<std::uint16_t>(key.qtKey);
    }
    if (key.qtKey >= Qt::Key_0 && key.qtKey <= Qt::Key_9) {
        const int offset = key.qtKey - Qt::Key_0;
        return static_cast<std::uint16_t>((key.keypad ? 96 : 48) + offset);
    }
    if (key.qtKey >= Qt::Key_F1 && key.qtKey <= Qt::Key_F24) {
        return static_cast<std::uint16_t>(112 + (key.qtKey - Qt::Key_F1));
    }
    const auto* named =
        std::find_if(kNamedKeys.begin(), kNamedKeys.end(),
                     [&key](const auto& entry) { return entry.first == key.qtKey; });
    if (named != kNamedKeys.end()) {
        return named->second;
    }
    if (!key.scanCodesArePositions) {
        return kNoCode;
    }
    const std::uint16_t positional = byPosition(key.scanCode);
    // A letter by position only where the layout types no Latin character
    // there; a digit-row key typing punctuation is still its digit.
    if (isLetterCode(positional)) {
        return typesNonLatin(key.qtKey) ? positional : kNoCode;
    }
    return positional;
}

} // namespace ui
