#include "FakePorts.h"

#include <array>
#include <cstdio>
#include <utility>

namespace drilltest {

std::string colourName(drill::Colour c) {
    using namespace drill;
    static constexpr std::array<std::pair<Colour, const char*>, 14> kNames{{
        {clBlack, "clBlack"},
        {clMaroon, "clMaroon"},
        {clGreen, "clGreen"},
        {clOlive, "clOlive"},
        {clTeal, "clTeal"},
        {clRed, "clRed"},
        {clLime, "clLime"},
        {clYellow, "clYellow"},
        {clFuchsia, "clFuchsia"},
        {clWhite, "clWhite"},
        {clBtnFace, "clBtnFace"},
        {clWindow, "clWindow"},
        {clWindowText, "clWindowText"},
        {clNone, "clNone"},
    }};
    for (const auto& [colour, name] : kNames) {
        if (colour == c) {
            return name;
        }
    }
    std::array<char, 16> hex{};
    std::snprintf(hex.data(), hex.size(), "0x%08X", c);
    return hex.data();
}

const drill::KeyCell& letterCell(char letter) {
    const drill::KeyCell* cell = drill::letterCellByKeyCode(letter);
    if (cell == nullptr) {
        throw std::invalid_argument(std::string("no letter cell for ") + letter);
    }
    return *cell;
}

FakeWindow::FakeWindow(CallLog& log) : log_(log) {}

void FakeWindow::setCaption(std::string_view control, std::string_view text) {
    log_.add("caption ", control, "=", text);
    captions.insert_or_assign(std::string(control), std::string(text));
}

std::string FakeWindow::caption(std::string_view control) const {
    log_.add("read ", control);
    return shown(control);
}

void FakeWindow::setColour(std::string_view control, drill::Colour colour) {
    if (log_.enabled) {
        log_.add("colour ", control, "=", colourName(colour));
    }
    colours.insert_or_assign(std::string(control), colour);
}

void FakeWindow::setFontColour(std::string_view keyCell, drill::Colour colour) {
    if (log_.enabled) {
        log_.add("font ", keyCell, "=", colourName(colour));
    }
    fontColours.insert_or_assign(std::string(keyCell), colour);
}

void FakeWindow::setVisible(std::string_view control, bool isShown) {
    log_.add("visible ", control, "=", isShown ? "1" : "0");
    visible.insert_or_assign(std::string(control), isShown);
}

int FakeWindow::itemIndex(std::string_view selector) const {
    log_.add("index ", selector);
    return itemIndices.at(std::string(selector));
}

void FakeWindow::setTimerEnabled(std::string_view timer, bool enabled) {
    log_.add("timer ", timer, "=", enabled ? "on" : "off");
    bool& on = timers.at(std::string(timer));
    if (on == enabled) {
        return;
    }
    on = enabled;
    if (enabled && failingTimers.contains(timer)) {
        throw FakeTimerError();
    }
}

void FakeWindow::paintPendingNow() {
    log_.add("paint");
}

std::string FakeWindow::shown(std::string_view control) const {
    const auto it = captions.find(control);
    return it == captions.end() ? std::string() : it->second;
}

bool FakeWindow::timerOn(std::string_view timer) const {
    return timers.at(std::string(timer));
}

void FakeSound::playSync(std::string_view fileName) {
    log_.add("play ", fileName);
    played.emplace_back(fileName);
    if (onPlay) {
        onPlay();
    }
}

void FakeRandom::reseedFromTimeOfDay() {
    log_.add("reseed");
    ++reseeds;
}

int FakeRandom::draw(int n) {
    if (log_.enabled) {
        log_.add("draw ", std::to_string(n));
    }
    if (uniform) {
        return uniform(n);
    }
    if (script.empty()) {
        return 0;
    }
    const int k = script.front();
    script.pop_front();
    return k;
}

DrillFixture::DrillFixture() {
    // The stored form: "0" in every value label but Label18, which starts
    // empty, and the first trial length.
    for (const char* label : {"Label4", "Label6", "StaticText55", "StaticText56", "StaticText57",
                              "Label14", "StaticText61"}) {
        window_.captions[label] = "0";
    }
    window_.captions["Label15"] = "1";
    drill_.FormActivate();
    log_.calls.clear();
}

void DrillFixture::keyDown(std::uint16_t code) {
    std::uint16_t key = code;
    drill_.FormKeyDown(key);
    EXPECT_EQ(key, code) << "the key code must reach the focused control unchanged";
}

void DrillFixture::switchMode(int item) {
    window_.itemIndices["RadioGroup2"] = item;
    drill_.RadioGroup2Click();
}

} // namespace drilltest
