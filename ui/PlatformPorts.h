#pragma once
// The drill's sound and random ports over the platform services.
#include "drill/Ports.h"
#include "platform/RandomSource.h"
#include "platform/WavPlayer.h"

namespace ui {

// Plays on the calling thread, the window's: keys typed meanwhile wait in
// the event queue and are handled afterwards, in the order typed.
class WavSoundPort final : public drill::SoundPort {
public:
    void playSync(std::string_view fileName) override { player_.playSync(fileName); }

private:
    platform::WavPlayer player_;
};

class RandomSourcePort final : public drill::RandomPort {
public:
    void reseedFromTimeOfDay() override { source_.reseedFromTimeOfDay(); }
    int draw(int n) override { return source_.draw(n); }

private:
    platform::RandomSource source_;
};

} // namespace ui
