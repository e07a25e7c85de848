#pragma once
// The drill: every handler of the typing drill, named as the window binds
// them. The window calls these on its own thread, one at a time; ticks of the
// two clocks are brought onto that thread before MMTimer1Timer/MMTimer2Timer
// run, so nothing here takes a lock.
#include "drill/DrillState.h"
#include "drill/Ports.h"

#include <cstdint>
#include <string_view>

namespace drill {

class Drill {
public:
    Drill(WindowPort& window, SoundPort& sound, RandomPort& random);

    const DrillState& state() const { return state_; }

    // First activation of the window.
    void FormActivate();

    // Key preview. The key code is a 16-bit virtual-key code (65..90 for the
    // letters whatever the modifiers); it is read and never changed.
    void FormKeyDown(std::uint16_t& key);
    void FormKeyUp();

    // Region buttons: little, ring, middle, index, all fingers.
    void Button4Click();
    void Button3Click();
    void Button2Click();
    void Button6Click();
    void Button1Click();

    // Clocks and the minutes selector.
    void MMTimer1Timer();
    void MMTimer2Timer();
    void Label15Click();

    // Modes, keyboard selector and resets.
    void RadioGroup2Click();
    void Button5Click();
    void RadioGroup1Click();
    void StaticText59Click();
    void Label7Click();

private:
    // The handler of row `region` of the region table.
    void chooseRegion(int region);
    void showNumber(std::string_view control, std::int64_t value);

    WindowPort& window_;
    SoundPort& sound_;
    RandomPort& random_;
    DrillState state_;
};

} // namespace drill
