// How soon a hit sound is heard and how long after its end the synchronous
// play returns, measured on SDL's disk driver, which writes what the device
// would play to a file in real time. A watcher thread reads that file as it
// grows and notes when the first non-silent sample lands.
//
//   bench_sound [rounds]      default 20 rounds of "ok.wav"
//
// start    call of playSync → first sample of the sound written by the device
// return   call of playSync → return, minus the sound's own length
#include "bench/BenchFigure.h"
#include "platform/WavPlayer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// Length in seconds of a canonical PCM wave file, from its header.
double waveSeconds(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            v |= std::uint32_t{static_cast<unsigned char>(bytes.at(at + i))} << (8 * i);
        }
        return v;
    };
    const std::uint32_t byteRate = u32(28);
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = u32(at + 4);
        if (std::string(bytes.data() + at, 4) == "data") {
            return static_cast<double>(size) / byteRate;
        }
        at += 8 + size + (size & 1u);
    }
    return 0.0;
}

// Returns the first moment after `since` at which the output file gains a
// non-zero 16-bit sample, or `since` when `stop` is set first.
class SampleWatcher {
public:
    explicit SampleWatcher(fs::path file) : file_(std::move(file)) {}

    Clock::time_point waitForSound(std::uint64_t fromOffset, const std::atomic<bool>& stop) {
        std::ifstream in;
        std::uint64_t offset = fromOffset;
        std::vector<char> chunk(1 << 16);
        while (!stop.load()) {
            if (!in.is_open()) {
                in.open(file_, std::ios::binary);
            }
            in.clear();
            in.seekg(static_cast<std::streamoff>(offset));
            in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            const auto got = static_cast<std::size_t>(in.gcount());
            for (std::size_t i = 0; i + 1 < got; i += 2) {
                if (chunk[i] != 0 || chunk[i + 1] != 0) {
                    return Clock::now();
                }
            }
            offset += got - (got % 2);
            if (got == 0) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        }
        return {};
    }

private:
    fs::path file_;
};

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const fs::path work = fs::temp_directory_path() / ("tonpara-bench-sound-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const fs::path output = work / "device.raw";
    const fs::path sound = fs::path(TONPARA_SOUNDS_DIR) / "ok.wav";
    fs::copy_file(sound, work / "ok.wav", fs::copy_options::overwrite_existing);
    fs::current_path(work);
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);

    const double length = waveSeconds(sound);
    platform::WavPlayer player;
    player.playSync("ok.wav"); // opens the device; not counted

    std::vector<double> startMs;
    std::vector<double> returnOverheadMs;
    SampleWatcher watcher(output);
    for (int round = 0; round < rounds; ++round) {
        // Let the previous sound's tail and the device's silence flush out.
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        const std::uint64_t offset = fs::file_size(output);
        std::atomic<bool> stop{false};
        Clock::time_point heard{};
        std::thread watch([&] { heard = watcher.waitForSound(offset, stop); });
        const auto called = Clock::now();
        player.playSync("ok.wav");
        const auto returned = Clock::now();
        // The watcher normally has seen the sound long before; give it a
        // moment in case the file write lags the device thread.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        stop = true;
        watch.join();
        using Ms = std::chrono::duration<double, std::milli>;
        if (heard != Clock::time_point{}) {
            startMs.push_back(Ms(heard - called).count());
        }
        returnOverheadMs.push_back(Ms(returned - called).count() - length * 1000.0);
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);

    std::printf("sound on SDL disk driver, \"ok.wav\" %.0f ms, %d rounds\n", length * 1000.0, rounds);
    std::printf("%-34s %8s %8s %8s\n", "figure", "p50", "p99", "max");
    if (!startMs.empty()) {
        std::printf("%-34s %8.2f %8.2f %8.2f  ms\n", "start latency (call → first sample)",
                    percentile(startMs, 0.5), percentile(startMs, 0.99),
                    *std::max_element(startMs.begin(), startMs.end()));
        bench::printFigure("sound start latency p50 (disk driver)", percentile(startMs, 0.5), "ms",
                           "< 50 ms");
    } else {
        std::printf("start latency: no sample seen\n");
    }
    std::printf("%-34s %8.2f %8.2f %8.2f  ms\n", "return after end of sound", percentile(returnOverheadMs, 0.5),
                percentile(returnOverheadMs, 0.99),
                *std::max_element(returnOverheadMs.begin(), returnOverheadMs.end()));
    bench::printFigure("sound return after its end p50", percentile(returnOverheadMs, 0.5), "ms",
                       "< 30 ms");
    return 0;
}
