// The player against SDL's disk driver, which writes the device's exact
// output (44.1 kHz mono 16-bit here) to a file: in real time by default, or
// as fast as it can with SDL_DISKAUDIODELAY=0. Each test points the driver
// at a fresh file before the player brings SDL up.
#include "platform/WavPlayer.h"

#include "TestFiles.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using namespace tonpara_test;
using Clock = std::chrono::steady_clock;
using Samples = std::vector<std::int16_t>;

enum class Pace { RealTime, Fast };

class DiskAudio : public ::testing::Test {
protected:
    void SetUp() override {
        savedCwd_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
        useOutput("out.raw", Pace::Fast);
    }
    void TearDown() override { std::filesystem::current_path(savedCwd_); }

    void useOutput(const std::string& name, Pace pace) {
        output_ = dir_ / name;
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
        if (pace == Pace::Fast) {
            setenv("SDL_DISKAUDIODELAY", "0", 1);
        } else {
            unsetenv("SDL_DISKAUDIODELAY");
        }
    }

    // Read only once the player is gone: the driver buffers its writes.
    Samples output() const { return readS16(output_); }

    static double secondsOf(Clock::duration elapsed) {
        return std::chrono::duration<double>(elapsed).count();
    }

    static std::size_t nonSilentFrames(const Samples& samples) {
        return static_cast<std::size_t>(
            std::count_if(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; }));
    }

    TempDir dir_;
    std::filesystem::path savedCwd_;
    std::filesystem::path output_;
};

// The output must be the expected sounds, each exactly once and in order,
// with nothing but silence around and between them.
void expectSoundsInOrder(Samples out, const std::vector<Samples>& sounds) {
    auto from = out.begin();
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        const auto at = std::search(from, out.end(), sounds[i].begin(), sounds[i].end());
        ASSERT_NE(at, out.end()) << "sound " << i << " is not in the output intact";
        from = std::fill_n(at, sounds[i].size(), std::int16_t{0});
    }
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::int16_t s) { return s == 0; }))
        << "the output holds samples that belong to no sound played";
}

TEST_F(DiskAudio, PlaysEachSoundExactlyInTurnAndQuietly) {
    const std::filesystem::path ours =
        std::filesystem::path(TONPARA_SOURCE_DIR) / "resources" / "sounds";
    std::filesystem::copy_file(ours / "ok.wav", dir_ / "ok.wav");
    std::filesystem::copy_file(ours / "mis.wav", dir_ / "mis.wav");
    const Samples tone = toneSamples(3000, 2000);
    writeFile(dir_ / "tone.wav", wavBytes({}, s16Bytes(tone)));

    StderrCapture err(dir_ / "stderr.txt");
    {
        platform::WavPlayer player;
        for (const char* name : {"ok.wav", "mis.wav", "tone.wav", "ok.wav"}) {
            player.playSync(name);
        }
        struct sigaction interrupt {};
        sigaction(SIGINT, nullptr, &interrupt);
        EXPECT_EQ(interrupt.sa_handler, SIG_DFL) << "SDL took over Ctrl+C";
    }
    EXPECT_EQ(err.text(), "");
    const Samples ok = wavDataS16(ours / "ok.wav");
    expectSoundsInOrder(output(), {ok, wavDataS16(ours / "mis.wav"), tone, ok});
}

TEST_F(DiskAudio, CallLastsAsLongAsTheSound) {
    useOutput("realtime.raw", Pace::RealTime);
    constexpr double kSeconds = 0.3;
    const Samples tone = toneSamples(static_cast<std::size_t>(44100 * kSeconds), 2000);
    writeFile(dir_ / "tone.wav", wavBytes({}, s16Bytes(tone)));
    {
        platform::WavPlayer player;
        player.playSync("tone.wav"); // brings the device up; timed below warm
        const auto start = Clock::now();
        player.playSync("tone.wav");
        const double took = secondsOf(Clock::now() - start);
        EXPECT_GE(took, 0.8 * kSeconds);
        EXPECT_LT(took, kSeconds + 1.0);
    }
    expectSoundsInOrder(output(), {tone, tone});
}

TEST_F(DiskAudio, MissingFileReturnsAtOnceWithoutOutput) {
    useOutput("missing.raw", Pace::RealTime);
    StderrCapture err(dir_ / "stderr.txt");
    {
        platform::WavPlayer player;
        const auto start = Clock::now();
        player.playSync("ok.wav");
        player.playSync("");
        player.playSync("no-such-folder/ok.wav");
        EXPECT_LT(secondsOf(Clock::now() - start), 0.25);
    }
    EXPECT_EQ(nonSilentFrames(output()), 0u);
    EXPECT_EQ(err.text(), "");
}

// Formats other than the device's are converted up front; the whole sound,
// tail included, must reach the device.
TEST_F(DiskAudio, ConvertedSoundKeepsItsWholeLength) {
    struct Row {
        const char* name;
        std::uint16_t channels;
        std::uint32_t rate;
        std::uint16_t bits;
    };
    const Row rows[] = {
        {"8-bit stereo at 22.05 kHz", 2, 22050, 8},
        {"16-bit mono at 48 kHz", 1, 48000, 16},
        {"16-bit stereo at 11.025 kHz", 2, 11025, 16},
    };
    constexpr std::size_t kFrames = 4000;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Bytes data;
        for (std::size_t i = 0; i < kFrames * row.channels; ++i) {
            if (row.bits == 8) {
                data.push_back(std::byte{0xC0}); // +64 around the unsigned mid-point
            } else {
                putLe(data, static_cast<std::uint32_t>(6000 + i % 500), 2);
            }
        }
        writeFile(dir_ / "sound.wav",
                  wavBytes({.channels = row.channels, .rate = row.rate, .bits = row.bits}, data));
        useOutput(std::string(row.name) + ".raw", Pace::Fast);
        {
            platform::WavPlayer player;
            player.playSync("sound.wav");
        }
        const Samples out = output();
        const auto first =
            std::find_if(out.begin(), out.end(), [](std::int16_t s) { return s != 0; });
        const auto last =
            std::find_if(out.rbegin(), out.rend(), [](std::int16_t s) { return s != 0; });
        ASSERT_NE(first, out.end()) << "nothing was played";
        const auto span = static_cast<double>(std::distance(first, last.base()));
        const double expected = static_cast<double>(kFrames) * 44100.0 / row.rate;
        EXPECT_NEAR(span, expected, 0.01 * expected + 64);
    }
}

// Only what a file really holds may ever be heard, and the call must come
// back at once: no hang on a size that lies, no crash, no substitute.
TEST_F(DiskAudio, HostileFilesAreSilentAndPrompt) {
    const Bytes tone = s16Bytes(toneSamples(100, 3000));
    const Bytes valid = wavBytes({}, tone);
    struct Row {
        const char* name;
        Bytes bytes;
        std::size_t framesHeld; // the most that may be heard
    };
    auto lyingSize = [&tone](std::uint32_t size, bool withData) {
        return wavBytes({.declareRealDataSize = false, .declaredDataSize = size},
                        withData ? tone : Bytes{});
    };
    const Row rows[] = {
        {"empty file", {}, 0},
        {"header cut short", Bytes(valid.begin(), valid.begin() + 30), 0},
        {"huge data size, no data", lyingSize(0xFFFFFFF0u, false), 0},
        {"huge data size, a few frames", lyingSize(0x7FFFFFF0u, true), 100},
        {"huge fmt chunk", wavBytes({.fmtSize = 0xFFFFFFF0u}, tone), 0},
        {"non-PCM format tag", wavBytes({.formatTag = 0x0055}, tone), 0},
        {"zero channels", wavBytes({.channels = 0}, tone), 0},
        {"zero rate", wavBytes({.rate = 0}, tone), 0},
        {"1 Hz: a hundred frames, a hundred seconds", wavBytes({.rate = 1}, tone), 0},
        {"255 channels", wavBytes({.channels = 255}, tone), 0},
        {"12-bit samples", wavBytes({.bits = 12}, tone), 0},
        {"not a wave at all", Bytes(64, std::byte{'x'}), 0},
    };
    StderrCapture err(dir_ / "stderr.txt");
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string name = "hostile" + std::to_string(index++) + ".wav";
        writeFile(dir_ / name, row.bytes);
        useOutput(name + ".raw", Pace::RealTime);
        {
            platform::WavPlayer player;
            const auto start = Clock::now();
            player.playSync(name);
            EXPECT_LT(secondsOf(Clock::now() - start), 1.0);
        }
        EXPECT_LE(nonSilentFrames(output()), row.framesHeld);
    }
    EXPECT_EQ(err.text(), "");
}

// Decoded sounds are reused, but never in place of what the file now is.
TEST_F(DiskAudio, CacheFollowsTheFile) {
    const Samples first = toneSamples(20000, 1000);
    const Samples second = toneSamples(15000, -9000);
    {
        platform::WavPlayer player;
        player.playSync("late.wav"); // not there yet: silence, and not remembered
        writeFile(dir_ / "late.wav", wavBytes({}, s16Bytes(first)));
        player.playSync("late.wav");

        std::ifstream io("/proc/self/io");
        auto readBytes = [&io]() -> std::optional<long long> {
            io.clear();
            io.seekg(0);
            std::string key;
            long long value = 0;
            while (io >> key >> value) {
                if (key == "rchar:") {
                    return value;
                }
            }
            return std::nullopt;
        };
        const auto before = readBytes();
        player.playSync("late.wav");
        const auto after = readBytes();
        if (before && after) {
            EXPECT_LT(*after - *before, 4096) << "a repeated sound was read from disk again";
        }

        std::filesystem::remove(dir_ / "late.wav");
        writeFile(dir_ / "late.wav", wavBytes({}, s16Bytes(second)));
        player.playSync("late.wav");
        std::filesystem::remove(dir_ / "late.wav");
        player.playSync("late.wav");
    }
    expectSoundsInOrder(output(), {first, first, second});
}

// No device to open (ALSA told to use a PCM that does not exist): every
// call returns at once, and ALSA's own complaints stay off the terminal.
TEST(NoAudioDevice, ReturnsAtOnceAndQuietly) {
    TempDir dir;
    writeFile(dir / "tone.wav", wavBytes({}, s16Bytes(toneSamples(44100, 1000))));
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("AUDIODEV", "tonpara_no_such_pcm", 1);
    StderrCapture err(dir / "stderr.txt");
    {
        platform::WavPlayer player;
        const auto start = Clock::now();
        player.playSync((dir / "tone.wav").string());
        player.playSync((dir / "tone.wav").string());
        // Each call would last a second if the tone were played.
        EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 1.0);
    }
    EXPECT_EQ(err.text(), "");
}

} // namespace
