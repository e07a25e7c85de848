#pragma once
// Scratch folders, hand-made wave files and stderr capture for the sound
// tests. Everything lives under a fresh temporary folder per test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace tonpara_test {

class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tonpara-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

using Bytes = std::vector<std::byte>;

inline void putLe(Bytes& out, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFFu));
    }
}

// The fields of a canonical 44-byte header; the sizes can be made to lie.
struct WavHeader {
    std::uint16_t formatTag = 1; // PCM
    std::uint16_t channels = 1;
    std::uint32_t rate = 44100;
    std::uint16_t bits = 16;
    std::uint32_t fmtSize = 16;
    bool declareRealDataSize = true;
    std::uint32_t declaredDataSize = 0;
};

inline Bytes wavBytes(const WavHeader& header, const Bytes& data) {
    const auto dataSize = header.declareRealDataSize ? static_cast<std::uint32_t>(data.size())
                                                     : header.declaredDataSize;
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(header.channels * header.bits / 8);
    Bytes out;
    auto tag = [&out](const char* fourCc) {
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<std::byte>(fourCc[i]));
        }
    };
    tag("RIFF");
    putLe(out, 36u + dataSize, 4);
    tag("WAVE");
    tag("fmt ");
    putLe(out, header.fmtSize, 4);
    putLe(out, header.formatTag, 2);
    putLe(out, header.channels, 2);
    putLe(out, header.rate, 4);
    putLe(out, header.rate * blockAlign, 4);
    putLe(out, blockAlign, 2);
    putLe(out, header.bits, 2);
    tag("data");
    putLe(out, dataSize, 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

inline Bytes s16Bytes(const std::vector<std::int16_t>& samples) {
    Bytes out;
    for (const std::int16_t sample : samples) {
        putLe(out, static_cast<std::uint16_t>(sample), 2);
    }
    return out;
}

// A mono 16-bit tone that never passes through zero, so every one of its
// frames can be told from silence in the output.
inline std::vector<std::int16_t> toneSamples(std::size_t frames, std::int16_t base) {
    std::vector<std::int16_t> samples(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        samples[i] = static_cast<std::int16_t>(base + static_cast<std::int16_t>((i * 37) % 1000));
    }
    return samples;
}

inline void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Bytes out(chars.size());
    std::transform(chars.begin(), chars.end(), out.begin(),
                   [](char c) { return static_cast<std::byte>(c); });
    return out;
}

// Little-endian 16-bit samples of a raw file; an absent file reads as none.
inline std::vector<std::int16_t> readS16(const std::filesystem::path& path) {
    const Bytes bytes = readFile(path);
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] =
            static_cast<std::int16_t>(std::to_integer<std::uint16_t>(bytes[2 * i]) |
                                      (std::to_integer<std::uint16_t>(bytes[2 * i + 1]) << 8));
    }
    return samples;
}

// The samples of a file's "data" chunk, for a PCM 16-bit wave.
inline std::vector<std::int16_t> wavDataS16(const std::filesystem::path& path) {
    const Bytes bytes = readFile(path);
    auto u32 = [&bytes](std::size_t at) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) {
            value = (value << 8) |
                    std::to_integer<std::uint32_t>(bytes.at(at + static_cast<std::size_t>(i)));
        }
        return value;
    };
    for (std::size_t at = 12; at + 8 <= bytes.size(); at += 8 + u32(at + 4) + (u32(at + 4) & 1u)) {
        if (std::memcmp(&bytes[at], "data", 4) == 0) {
            std::vector<std::int16_t> samples(u32(at + 4) / 2);
            for (std::size_t i = 0; i < samples.size(); ++i) {
                samples[i] = static_cast<std::int16_t>(
                    std::to_integer<std::uint16_t>(bytes.at(at + 8 + 2 * i)) |
                    (std::to_integer<std::uint16_t>(bytes.at(at + 9 + 2 * i)) << 8));
            }
            return samples;
        }
    }
    throw std::runtime_error("no data chunk in " + path.string());
}

// Sends this process's stderr to a file while alive; text() reads it back.
class StderrCapture {
public:
    explicit StderrCapture(std::filesystem::path file) : file_(std::move(file)) {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        std::FILE* sink = std::fopen(file_.c_str(), "w");
        if (saved_ < 0 || sink == nullptr) {
            throw std::runtime_error("cannot capture stderr");
        }
        dup2(fileno(sink), STDERR_FILENO);
        std::fclose(sink);
    }
    ~StderrCapture() { restore(); }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    std::string text() {
        restore();
        const Bytes bytes = readFile(file_);
        return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }

private:
    void restore() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            dup2(saved_, STDERR_FILENO);
            close(saved_);
            saved_ = -1;
        }
    }
    std::filesystem::path file_;
    int saved_ = -1;
};

} // namespace tonpara_test
