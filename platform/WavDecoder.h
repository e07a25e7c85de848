#pragma once
// Decoding and format conversion of wave files, apart from any audio device,
// so the exact path the player takes with a file's bytes can be fuzzed.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// Interleaved samples in the layout SDL names by `format` (an SDL_AudioFormat
// value such as AUDIO_S16LSB).
struct PcmSound {
    std::uint16_t format = 0;
    int channels = 0;
    int rate = 0;
    std::vector<std::uint8_t> samples;

    int frameBytes() const;
    std::size_t frameCount() const;
};

// The most a sound may hold once decoded or converted. It bounds what a
// hostile header can make us allocate; 256 MiB is over an hour of the
// device's format, far beyond any feedback sound.
inline constexpr std::size_t kMaxSoundBytes = std::size_t{256} << 20;

// Parses a RIFF/WAVE image (PCM, IEEE float, A-law, mu-law, MS and IMA
// ADPCM, as far as SDL decodes them). Returns nothing for anything that is
// not a playable sound: unreadable, unsupported, more than 8 channels, a
// rate outside 1 to 384 kHz, no whole sample frame. A ragged tail is cut to whole frames. Never
// throws for bad input and needs no SDL initialisation.
std::optional<PcmSound> decodeWav(std::span<const std::byte> bytes);

// Converts to the given format exactly, tail included. Returns nothing when
// SDL cannot convert or the result would exceed kMaxSoundBytes.
std::optional<PcmSound> convertSound(const PcmSound& sound, std::uint16_t format, int channels,
                                     int rate);

// The one format the player's device runs in: our own sounds' format, so
// they play unconverted. 16-bit signed native (little-endian) mono 44.1 kHz.
inline constexpr std::uint16_t kPlaybackFormat = 0x8010;
inline constexpr int kPlaybackChannels = 1;
inline constexpr int kPlaybackRate = 44100;

// decodeWav, then convertSound to the playback format: everything the
// player does with a file's bytes before they reach the device.
std::optional<PcmSound> decodeForPlayback(std::span<const std::byte> bytes);

} // namespace platform
