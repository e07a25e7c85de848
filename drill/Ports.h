#pragma once
// The only ways the drill core reaches outside itself. The window, the sound
// service and the random generator each stand behind one of these, so the
// core runs unchanged against the Qt window and against a test fake.
//
// Contract shared by all ports: every call happens on the window's thread,
// and any exception a port throws (for instance EMMTimerError from enabling a
// timer) propagates out of the drill handler unchanged, ending it at that step.
#include "drill/Colour.h"

#include <string>
#include <string_view>

namespace drill {

// Controls are addressed by their stored-form name ("statictext47", "Panel9");
// the window itself is "Form1" and the two clocks are "MMTimer1"/"MMTimer2".
class WindowPort {
public:
    virtual ~WindowPort() = default;
    // Captions are UTF-8.
    virtual void setCaption(std::string_view control, std::string_view text) = 0;
    virtual std::string caption(std::string_view control) const = 0;
    // Background colour of a panel or of "Form1"; controls without a colour of
    // their own follow the window's.
    virtual void setColour(std::string_view control, Colour colour) = 0;
    virtual void setFontColour(std::string_view keyCell, Colour colour) = 0;
    virtual void setVisible(std::string_view control, bool shown) = 0;
    virtual int itemIndex(std::string_view selector) const = 0;
    // Writing the value a timer already has must do nothing (no restart).
    virtual void setTimerEnabled(std::string_view timer, bool enabled) = 0;
    // Paint what is already marked for repainting, now; marks nothing new.
    virtual void paintPendingNow() = 0;
};

class SoundPort {
public:
    virtual ~SoundPort() = default;
    // Plays a wave file named without a folder and returns when it has ended,
    // or at once when it cannot be played. Never throws, never substitutes.
    virtual void playSync(std::string_view fileName) = 0;
};

class RandomPort {
public:
    virtual ~RandomPort() = default;
    virtual void reseedFromTimeOfDay() = 0;
    // A whole number from 0 to n - 1, every value equally likely; n >= 1.
    virtual int draw(int n) = 0;
};

} // namespace drill
