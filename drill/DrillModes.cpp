// Practice modes and the two resets. None of them touches the region, the
// trial length, the task and pressed-key cells or the key cells' colours.
#include "drill/Drill.h"
#include "drill/ModeLayout.h"

#include <initializer_list>
#include <stdexcept>
#include <string>

namespace drill {
namespace {

ModeState modeOfItem(int itemIndex) {
    switch (itemIndex) {
    case 0:
        return ModeState::Standard;
    case 1:
        return ModeState::TimeTrial;
    case 2:
        return ModeState::WordProcessor;
    default:
        throw std::out_of_range("mode selector has no item " + std::to_string(itemIndex));
    }
}

} // namespace

void Drill::RadioGroup2Click() {
    state_.Mode = modeOfItem(window_.itemIndex("RadioGroup2"));
    Button5Click();
}

void Drill::Button5Click() {
    state_.ElapsedSeconds = 0;
    state_.HitCount = 0;
    state_.KeyCount = 0;
    window_.setColour("Form1", clTeal);
    window_.setTimerEnabled("MMTimer1", false);
    window_.setTimerEnabled("MMTimer2", false);
    for (const ModeLayoutRow& row : kModeLayout) {
        window_.setVisible(row.control, shownInMode(row, state_.Mode));
    }
    switch (state_.Mode) {
    case ModeState::Standard:
        StaticText59Click();
        state_.TrialTicks = 0;
        state_.TrialActive = false;
        window_.setCaption("Label14", "0");
        window_.setCaption("Label18", "0");
        window_.setCaption("StaticText61", "0");
        RadioGroup1Click();
        break;
    case ModeState::TimeTrial:
        Label7Click();
        state_.TrialActive = true;
        RadioGroup1Click();
        break;
    case ModeState::WordProcessor:
        // The keyboard panel stays hidden whatever the keyboard selector says.
        state_.TrialActive = false;
        break;
    }
}

void Drill::RadioGroup1Click() {
    window_.setVisible("Panel1", window_.itemIndex("RadioGroup1") == 0);
}

void Drill::StaticText59Click() {
    state_.ElapsedSeconds = 0;
    state_.HitCount = 0;
    state_.KeyCount = 0;
    window_.setTimerEnabled("MMTimer1", false);
    for (std::string_view label :
         {"Label4", "Label6", "StaticText55", "StaticText56", "StaticText57"}) {
        window_.setCaption(label, "0");
    }
}

void Drill::Label7Click() {
    state_.TrialTicks = 0;
    state_.ElapsedSeconds = 0;
    state_.HitCount = 0;
    state_.KeyCount = 0;
    window_.setColour("Form1", clTeal);
    window_.setTimerEnabled("MMTimer2", false);
    for (std::string_view label : {"Label14", "Label18", "StaticText61"}) {
        window_.setCaption(label, "0");
    }
}

} // namespace drill
