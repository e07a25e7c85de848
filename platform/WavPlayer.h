#pragma once
// Synchronous playback of a wave file named without a folder: the call
// returns once the sound has been played to its end, or at once when the
// file is missing, is not a sound we can play, or no audio device opens.
// Nothing is ever reported and no substitute sound is played, so a drill
// without sound files runs the same, silently.
#include <memory>
#include <string_view>

namespace platform {

class WavPlayer {
public:
    // Cheap: SDL and the audio device are brought up on the first sound that
    // is found, then kept open until destruction. The first instance to do
    // so sets SDL's process-wide settings (no signal handlers, SDL and ALSA
    // diagnostics silenced) before SDL starts.
    WavPlayer();
    ~WavPlayer();
    WavPlayer(const WavPlayer&) = delete;
    WavPlayer& operator=(const WavPlayer&) = delete;

    // Looks the name up with findDataFile(fileName, "sounds"). Decoded sounds
    // are kept by resolved path and reused while the file's identity, size
    // and modification time stay the same; failures are not kept, so a file
    // that appears or is mended later is found. Calls from several threads
    // play one after the other.
    void playSync(std::string_view fileName) noexcept;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
