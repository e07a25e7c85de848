// One key-down plus key-up through the drill core with ports that do no
// work, so the figure is the core's own cost per keystroke. The hit path is
// the long one (sound, counters, accuracy, draw); the miss path stops after
// the comparison.
#include "drill/Drill.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>

namespace {

// Keeps only the two cells judging reads, so a release really compares them.
class StubWindow : public drill::WindowPort {
public:
    void setCaption(std::string_view control, std::string_view text) override {
        if (control == "statictext47") {
            task_ = text;
        } else if (control == "statictext50") {
            pressed_ = text;
        }
    }
    std::string caption(std::string_view control) const override {
        return control == "statictext47" ? task_ : pressed_;
    }
    void setColour(std::string_view, drill::Colour) override {}
    void setFontColour(std::string_view, drill::Colour) override {}
    void setVisible(std::string_view, bool) override {}
    int itemIndex(std::string_view) const override { return 0; }
    void setTimerEnabled(std::string_view, bool) override {}
    void paintPendingNow() override {}

private:
    std::string task_;
    std::string pressed_;
};

class StubSound : public drill::SoundPort {
public:
    void playSync(std::string_view) override {}
};

class StubRandom : public drill::RandomPort {
public:
    void reseedFromTimeOfDay() override {}
    int draw(int) override { return 0; }
};

struct Rig {
    StubWindow window;
    StubSound sound;
    StubRandom random;
    drill::Drill drill{window, sound, random};
    Rig() { drill.FormActivate(); }
};

// Region 4 draws slot 0, "R", every time, so pressing R always hits and F
// always misses.
void BM_KeyCycle(benchmark::State& state, std::uint16_t letter) {
    Rig rig;
    for (auto _ : state) {
        std::uint16_t key = letter;
        rig.drill.FormKeyDown(key);
        rig.drill.FormKeyUp();
    }
    benchmark::DoNotOptimize(rig.drill.state().HitCount);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_KeyCycle, Hit, std::uint16_t{'R'});
BENCHMARK_CAPTURE(BM_KeyCycle, Miss, std::uint16_t{'F'});

} // namespace

BENCHMARK_MAIN();
