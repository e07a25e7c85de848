#include "platform/WavDecoder.h"

#include "TestFiles.h"

#include <SDL.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

using namespace tonpara_test;

TEST(DecodeWav, ReadsEveryPlainLayout) {
    struct Row {
        const char* name;
        WavHeader header;
        std::uint16_t format;
    };
    const Row rows[] = {
        {"8-bit mono", {.bits = 8}, AUDIO_U8},
        {"16-bit stereo", {.channels = 2, .bits = 16}, AUDIO_S16LSB},
        {"32-bit integer at 96 kHz", {.rate = 96000, .bits = 32}, AUDIO_S32LSB},
        {"32-bit float", {.formatTag = 3, .bits = 32}, AUDIO_F32LSB},
        {"24-bit, widened to 32", {.bits = 24}, AUDIO_S32LSB},
    };
    constexpr std::size_t kFrames = 50;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Bytes data(kFrames * row.header.channels * row.header.bits / 8, std::byte{0x11});
        const auto sound = platform::decodeWav(wavBytes(row.header, data));
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->format, row.format);
        EXPECT_EQ(sound->channels, row.header.channels);
        EXPECT_EQ(sound->rate, static_cast<int>(row.header.rate));
        EXPECT_EQ(sound->frameCount(), kFrames);
    }
}

TEST(DecodeWav, KeepsOnlyWholeFrames) {
    Bytes data(4 * 10 + 3, std::byte{0x22}); // ten stereo frames and a ragged tail
    const auto sound = platform::decodeWav(wavBytes({.channels = 2}, data));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples.size(), 40u);
    EXPECT_FALSE(platform::decodeWav(wavBytes({}, Bytes(1)))); // not even one frame
}

// A data chunk that claims 2 GiB but holds 100 frames decodes those frames,
// within an address-space limit far below what the claim would need. A file
// with no RIFF header, which SDL would still walk from another offset, is
// refused rather than allocated for.
TEST(DecodeWav, SizePastTheEndCostsOnlyWhatTheFileHolds) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "sanitizer runtimes reserve more address space than the limit allows";
#endif
    const Bytes lying = wavBytes({.declareRealDataSize = false, .declaredDataSize = 0x7FFFFFF0u},
                                 s16Bytes(toneSamples(100, 700)));
    // Starts at "WAVE", then a chunk of padding whose bytes would read as a
    // huge size to anyone walking from where a RIFF header would end. The
    // claim stays within the limit, so a decoder that let SDL allocate it
    // would return the frames instead of refusing the file.
    const Bytes modest = wavBytes({.declareRealDataSize = false, .declaredDataSize = 256u << 20},
                                  s16Bytes(toneSamples(100, 700)));
    Bytes headerless{std::byte{'W'}, std::byte{'A'}, std::byte{'V'}, std::byte{'E'},
                     std::byte{'J'}, std::byte{'U'}, std::byte{'N'}, std::byte{'K'}};
    putLe(headerless, 16, 4);
    headerless.insert(headerless.end(), 16, std::byte{0xFF});
    headerless.insert(headerless.end(), modest.begin() + 12, modest.end());
    struct Row {
        const char* name;
        const Bytes& wav;
        std::size_t frames; // 0: refused
    };
    const Row rows[] = {
        {"claims 2 GiB of data", lying, 100},
        {"no RIFF header, 256 MiB claimed", headerless, 0},
    };
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) +
                     (rlim_t{512} << 20);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
        const auto sound = platform::decodeWav(row.wav);
        setrlimit(RLIMIT_AS, &saved);
        EXPECT_EQ(sound ? sound->frameCount() : 0u, row.frames);
    }
}

TEST(ConvertSound, SameFormatIsUntouchedAndOthersAreRefusedWhenImplausible) {
    const auto sound = platform::decodeWav(wavBytes({}, s16Bytes(toneSamples(100, 500))));
    ASSERT_TRUE(sound);
    const auto same = platform::convertSound(*sound, AUDIO_S16LSB, 1, 44100);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->samples, sound->samples);

    const auto wider = platform::convertSound(*sound, AUDIO_F32LSB, 2, 44100);
    ASSERT_TRUE(wider);
    EXPECT_EQ(wider->frameCount(), 100u);
    EXPECT_FALSE(platform::convertSound(*sound, AUDIO_S16LSB, 0, 44100));
    EXPECT_FALSE(platform::convertSound(*sound, 0x1234, 1, 44100));
}

} // namespace
