#pragma once
// The virtual-key code the drill's key handlers take, from what a Qt key
// event carries. The letters A to Z give 65 to 90 whatever the modifiers;
// where the keyboard layout types no Latin letter (Cyrillic, Greek, kana)
// the physical key position decides, so the drill still works there. No
// other key ever gives a code from 65 to 90.
#include <cstdint>

namespace ui {

struct KeyFacts {
    int qtKey;                  // QKeyEvent::key()
    std::uint32_t scanCode;     // QKeyEvent::nativeScanCode()
    bool keypad;                // Qt::KeypadModifier was set
    bool scanCodesArePositions; // scan codes are xkb keycodes (evdev + 8)
};

std::uint16_t virtualKeyCode(const KeyFacts& key);

} // namespace ui
