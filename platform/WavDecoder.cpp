#include "platform/WavDecoder.h"

#include <SDL.h>
#include <algorithm>
#include <limits>
#include <memory>

namespace platform {
namespace {

static_assert(kPlaybackFormat == AUDIO_S16SYS, "the device runs in native 16-bit samples");

// SDL mixes up to 8 channels. No real file goes below 1 kHz or beyond
// 384 kHz, and the lower bound caps how far resampling can inflate a sound.
constexpr int kMaxChannels = 8;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;

struct WavBufferFree {
    void operator()(std::uint8_t* buffer) const noexcept { SDL_FreeWAV(buffer); }
};

bool knownFormat(SDL_AudioFormat format) {
    switch (format) {
    case AUDIO_U8:
    case AUDIO_S8:
    case AUDIO_S16LSB:
    case AUDIO_S16MSB:
    case AUDIO_U16LSB:
    case AUDIO_U16MSB:
    case AUDIO_S32LSB:
    case AUDIO_S32MSB:
    case AUDIO_F32LSB:
    case AUDIO_F32MSB:
        return true;
    default:
        return false;
    }
}

bool plausible(SDL_AudioFormat format, int channels, int rate) {
    return knownFormat(format) && channels >= 1 && channels <= kMaxChannels && rate >= kMinRate &&
           rate <= kMaxRate;
}

std::uint32_t readLe32(const std::vector<std::byte>& image, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = (value << 8) | std::to_integer<std::uint32_t>(image[at + i]);
    }
    return value;
}

void writeLe32(std::vector<std::byte>& image, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        image[at + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFFu);
    }
}

bool hasTag(std::span<const std::byte> image, std::size_t at, const char (&tag)[5]) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (image[at + i] != static_cast<std::byte>(tag[i])) {
            return false;
        }
    }
    return true;
}

constexpr std::size_t kRiffHeader = 12; // "RIFF", size, "WAVE"

// SDL also takes a file that starts at "WAVE" with no RIFF header and then
// walks its chunks from another offset than ours, where no size has been
// cut. A real wave file always has the header, so the rest are refused.
bool hasRiffHeader(std::span<const std::byte> image) {
    return image.size() >= kRiffHeader && hasTag(image, 0, "RIFF") && hasTag(image, 8, "WAVE");
}

// SDL allocates a chunk's declared size before reading it, so a file that
// claims a 2 GiB data chunk and holds a hundred bytes would cost 2 GiB of
// address space. Cutting every size that runs past the end of the image to
// what is really there lets SDL decode what the file holds, as it would
// for any truncated file, and allocate no more. SDL walks the chunks the
// same way from the end of the RIFF header, so it meets only cut sizes.
void clampChunkSizes(std::vector<std::byte>& image) {
    const auto available = [&image](std::size_t at) {
        return static_cast<std::uint32_t>(image.size() - at);
    };
    if (readLe32(image, 4) > available(8)) {
        writeLe32(image, 4, available(8));
    }
    std::size_t at = kRiffHeader;
    while (image.size() - at >= 8) {
        const std::uint32_t length = readLe32(image, at + 4);
        if (length > available(at + 8)) {
            writeLe32(image, at + 4, available(at + 8));
            return;
        }
        at += 8 + std::size_t{length} + (length & 1u); // chunks are padded to even sizes
        if (at > image.size()) {
            return;
        }
    }
}

} // namespace

int PcmSound::frameBytes() const {
    return static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8) * channels;
}

std::size_t PcmSound::frameCount() const {
    const int bytes = frameBytes();
    return bytes > 0 ? samples.size() / static_cast<std::size_t>(bytes) : 0;
}

std::optional<PcmSound> decodeWav(std::span<const std::byte> bytes) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    if (!hasRiffHeader(bytes)) {
        return std::nullopt;
    }
    std::vector<std::byte> image(bytes.begin(), bytes.end());
    clampChunkSizes(image);
    SDL_RWops* stream = SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
    if (stream == nullptr) {
        return std::nullopt;
    }
    SDL_AudioSpec header{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    // freesrc = 1: SDL closes the stream whether or not loading succeeds.
    if (SDL_LoadWAV_RW(stream, 1, &header, &raw, &length) == nullptr) {
        return std::nullopt;
    }
    const std::unique_ptr<std::uint8_t, WavBufferFree> owned(raw);
    if (raw == nullptr || !plausible(header.format, header.channels, header.freq)) {
        return std::nullopt;
    }
    PcmSound sound;
    sound.format = header.format;
    sound.channels = header.channels;
    sound.rate = header.freq;
    const auto frame = static_cast<std::size_t>(sound.frameBytes());
    const std::size_t whole = length / frame * frame;
    if (whole == 0 || whole > kMaxSoundBytes) {
        return std::nullopt;
    }
    sound.samples.assign(raw, raw + whole);
    return sound;
}

std::optional<PcmSound> convertSound(const PcmSound& sound, std::uint16_t format, int channels,
                                     int rate) {
    if (!plausible(sound.format, sound.channels, sound.rate) ||
        !plausible(format, channels, rate) || sound.frameCount() == 0) {
        return std::nullopt;
    }
    SDL_AudioCVT cvt{};
    const int built = SDL_BuildAudioCVT(&cvt, sound.format, static_cast<Uint8>(sound.channels),
                                        sound.rate, format, static_cast<Uint8>(channels), rate);
    if (built < 0) {
        return std::nullopt;
    }
    if (built == 0) {
        return sound;
    }
    // SDL converts in place in a buffer len_mult times the input and keeps
    // the length in an int; refuse what would not fit either.
    const std::size_t inputBytes = sound.samples.size();
    if (cvt.len_mult < 1 ||
        inputBytes > static_cast<std::size_t>(std::numeric_limits<int>::max()) /
                         static_cast<std::size_t>(cvt.len_mult) ||
        inputBytes * static_cast<std::size_t>(cvt.len_mult) > kMaxSoundBytes * 2) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> buffer(inputBytes * static_cast<std::size_t>(cvt.len_mult));
    std::copy(sound.samples.begin(), sound.samples.end(), buffer.begin());
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(inputBytes);
    if (SDL_ConvertAudio(&cvt) != 0 || cvt.len_cvt <= 0 ||
        static_cast<std::size_t>(cvt.len_cvt) > buffer.size() ||
        static_cast<std::size_t>(cvt.len_cvt) > kMaxSoundBytes) {
        return std::nullopt;
    }
    buffer.resize(static_cast<std::size_t>(cvt.len_cvt));
    PcmSound converted{format, channels, rate, std::move(buffer)};
    if (converted.frameCount() == 0) {
        return std::nullopt;
    }
    converted.samples.resize(converted.frameCount() *
                             static_cast<std::size_t>(converted.frameBytes()));
    return converted;
}

} // namespace platform

namespace platform {

std::optional<PcmSound> decodeForPlayback(std::span<const std::byte> bytes) {
    const auto decoded = decodeWav(bytes);
    if (!decoded) {
        return std::nullopt;
    }
    return convertSound(*decoded, kPlaybackFormat, kPlaybackChannels, kPlaybackRate);
}

} // namespace platform
