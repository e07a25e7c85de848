// Feeds arbitrary bytes through everything the sound player does with a
// file before its samples reach the device: decoding and conversion to the
// playback format. Whatever comes back must be a well-formed sound.
#include "platform/WavDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto sound = platform::decodeForPlayback(std::as_bytes(std::span(data, size)));
    if (sound) {
        const bool wellFormed =
            sound->format == platform::kPlaybackFormat &&
            sound->channels == platform::kPlaybackChannels &&
            sound->rate == platform::kPlaybackRate && sound->frameCount() > 0 &&
            sound->samples.size() % static_cast<std::size_t>(sound->frameBytes()) == 0 &&
            sound->samples.size() <= platform::kMaxSoundBytes;
        if (!wellFormed) {
            std::abort();
        }
    }
    return 0;
}
