#pragma once
// Recording stand-ins for the drill's three ports, sharing one call log so a
// test can check the order in which a handler reaches the window, the sound
// and the random generator.
#include "drill/Colour.h"
#include "drill/Drill.h"
#include "drill/KeyCells.h"
#include "drill/Ports.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace drilltest {

struct CallLog {
    bool enabled = true;
    std::vector<std::string> calls;
    // Builds the entry only while recording, so long runs stay cheap.
    template <class... Parts> void add(const Parts&... parts) {
        if (enabled) {
            calls.push_back((std::string() + ... + std::string(parts)));
        }
    }
};

std::string colourName(drill::Colour c);

// Names a parameterised case after its row's `name`.
struct CaseName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& p) const {
        return p.param.name;
    }
};

// Names a case parameterised by a mode selector item.
struct ModeName {
    std::string operator()(const ::testing::TestParamInfo<int>& p) const {
        static constexpr const char* kNames[] = {"Standard", "TimeTrial", "WordProcessor"};
        return kNames[p.param];
    }
};

// The letter cell of a capital letter; throws for anything else.
const drill::KeyCell& letterCell(char letter);

// Stands for EMMTimerError: the drill must let whatever a port throws pass
// through unchanged, so the test only needs a type of its own to recognise.
class FakeTimerError : public std::runtime_error {
public:
    FakeTimerError() : std::runtime_error("No timer available") {}
};

class FakeWindow : public drill::WindowPort {
public:
    explicit FakeWindow(CallLog& log);

    void setCaption(std::string_view control, std::string_view text) override;
    std::string caption(std::string_view control) const override;
    void setColour(std::string_view control, drill::Colour colour) override;
    void setFontColour(std::string_view keyCell, drill::Colour colour) override;
    void setVisible(std::string_view control, bool shown) override;
    int itemIndex(std::string_view selector) const override;
    void setTimerEnabled(std::string_view timer, bool enabled) override;
    void paintPendingNow() override;

    // What the window shows now; "" for a control never written.
    std::string shown(std::string_view control) const;
    bool timerOn(std::string_view timer) const;

    std::map<std::string, std::string, std::less<>> captions;
    std::map<std::string, drill::Colour, std::less<>> colours;
    std::map<std::string, drill::Colour, std::less<>> fontColours;
    std::map<std::string, bool, std::less<>> visible;
    std::map<std::string, int, std::less<>> itemIndices{{"RadioGroup1", 0}, {"RadioGroup2", 0}};
    std::map<std::string, bool, std::less<>> timers{{"MMTimer1", false}, {"MMTimer2", false}};
    // Timers whose start fails. Like the real component, a failed start still
    // leaves the timer counted as enabled, so the next enable does nothing.
    std::set<std::string, std::less<>> failingTimers;

private:
    CallLog& log_;
};

class FakeSound : public drill::SoundPort {
public:
    explicit FakeSound(CallLog& log) : log_(log) {}
    void playSync(std::string_view fileName) override;

    std::vector<std::string> played;
    // Runs while the sound "plays", to look at the drill at that moment.
    std::function<void()> onPlay;

private:
    CallLog& log_;
};

// Hands out scripted numbers, then 0; or, once `uniform` is set, draws from a
// real uniform generator.
class FakeRandom : public drill::RandomPort {
public:
    explicit FakeRandom(CallLog& log) : log_(log) {}
    void reseedFromTimeOfDay() override;
    int draw(int n) override;

    std::deque<int> script;
    std::function<int(int)> uniform;
    int reseeds = 0;

private:
    CallLog& log_;
};

// A drill right after its first activation, over a window that stands as the
// stored form leaves it, with the log emptied.
class DrillFixture : public ::testing::Test {
protected:
    DrillFixture();

    void keyDown(std::uint16_t code);
    void keyDown(char letter) { keyDown(static_cast<std::uint16_t>(letter)); }
    void keyUp() { drill_.FormKeyUp(); }
    void press(char letter) {
        keyDown(letter);
        keyUp();
    }
    void switchMode(int item);
    const drill::DrillState& state() const { return drill_.state(); }
    std::string shown(std::string_view control) const { return window_.shown(control); }

    static constexpr std::uint16_t kShift = 16;

    CallLog log_;
    FakeWindow window_{log_};
    FakeSound sound_{log_};
    FakeRandom random_{log_};
    drill::Drill drill_{window_, sound_, random_};
};

} // namespace drilltest
