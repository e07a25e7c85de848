#include "platform/WavPlayer.h"

#include "platform/DataFiles.h"
#include "platform/WavDecoder.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <mutex>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unordered_map>
#include <vector>

namespace platform {
namespace {

// About 12 ms per buffer: short enough that a sound starts and its end is
// noticed promptly, long enough not to starve on a loaded machine.
constexpr Uint16 kBufferFrames = 512;
// A sound ends once this many buffers of silence have been handed to the
// device after its last sample. With one, the disk driver is exact; the
// second covers the buffer that ALSA and sound servers still hold.
constexpr int kTailBuffers = 2;
// Bounds what one file may make us read; our sounds are a few kilobytes.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;
// Beyond the sound's own length, how long to wait for the device before
// giving up on it (a stalled or vanished device must not hang the drill).
constexpr auto kDeviceGrace = std::chrono::seconds(2);

extern "C" void discardSdlLog(void*, int, SDL_LogPriority, const char*) {}
extern "C" void discardAlsaError(const char*, int, const char*, int, const char*, ...) {}

using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using AlsaSetErrorHandler = int (*)(AlsaErrorHandler);

// ALSA writes its configuration errors (no card, no default PCM) straight to
// stderr. Loading the library first and giving it a silent handler keeps a
// machine without sound quiet; SDL then shares this same loaded library.
void* silenceAlsa() {
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return nullptr;
    }
    if (auto* set =
            reinterpret_cast<AlsaSetErrorHandler>(dlsym(library, "snd_lib_error_set_handler"))) {
        set(&discardAlsaError);
    }
    return library;
}

void restoreAlsa(void* library) {
    if (library == nullptr) {
        return;
    }
    if (auto* set =
            reinterpret_cast<AlsaSetErrorHandler>(dlsym(library, "snd_lib_error_set_handler"))) {
        set(nullptr);
    }
    dlclose(library);
}

// What identifies one version of a file without reading it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileStamp& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

bool stampOf(const std::string& path, FileStamp& stamp) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    stamp = {info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    return true;
}

std::vector<std::byte> readSmallFile(const std::string& path, off_t expected) {
    if (expected <= 0 || static_cast<std::uintmax_t>(expected) > kMaxFileBytes) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::byte> bytes(static_cast<std::size_t>(expected));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return bytes;
}

} // namespace

struct WavPlayer::Impl {
    struct CacheEntry {
        FileStamp stamp;
        std::shared_ptr<const PcmSound> sound;
    };

    // Serialises playSync callers; held for the whole of one sound.
    std::mutex playMutex_;
    bool deviceTried_ = false;
    bool sdlStarted_ = false;
    SDL_AudioDeviceID device_ = 0;
    void* alsaLibrary_ = nullptr;
    std::unordered_map<std::string, CacheEntry> cache_;

    // Shared with the audio thread's callback.
    std::mutex stateMutex_;
    std::condition_variable ended_;
    std::shared_ptr<const PcmSound> current_;
    std::size_t position_ = 0;
    int silentBuffersLeft_ = 0;
    bool playing_ = false;

    ~Impl() {
        if (device_ != 0) {
            SDL_CloseAudioDevice(device_);
        }
        if (sdlStarted_) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        restoreAlsa(alsaLibrary_);
    }

    static void SDLCALL fillBuffer(void* user, Uint8* out, int length) {
        static_cast<Impl*>(user)->fill(out, static_cast<std::size_t>(length));
    }

    void fill(Uint8* out, std::size_t length) {
        std::size_t copied = 0;
        {
            const std::lock_guard lock(stateMutex_);
            if (playing_) {
                const auto& samples = current_->samples;
                if (position_ < samples.size()) {
                    copied = std::min(length, samples.size() - position_);
                    std::memcpy(out, samples.data() + position_, copied);
                    position_ += copied;
                } else if (--silentBuffersLeft_ <= 0) {
                    playing_ = false;
                    current_.reset();
                    ended_.notify_all();
                }
            }
        }
        std::memset(out + copied, 0, length - copied); // 16-bit signed: silence is 0
    }

    bool ensureDevice() {
        if (deviceTried_) {
            return device_ != 0;
        }
        deviceTried_ = true;
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_LogSetOutputFunction(&discardSdlLog, nullptr);
        alsaLibrary_ = silenceAlsa();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return false;
        }
        sdlStarted_ = true;
        SDL_AudioSpec wanted{};
        // SDL adapts this format to the hardware itself (allowed changes 0),
        // so what we hand it is exactly what is heard.
        wanted.freq = kPlaybackRate;
        wanted.format = kPlaybackFormat;
        wanted.channels = static_cast<Uint8>(kPlaybackChannels);
        wanted.samples = kBufferFrames;
        wanted.callback = &Impl::fillBuffer;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device_ == 0) {
            return false;
        }
        // The device runs from now on, feeding silence between sounds, so a
        // sound starts within one buffer.
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    std::shared_ptr<const PcmSound> load(const std::string& path) {
        FileStamp stamp;
        if (!stampOf(path, stamp)) {
            return nullptr;
        }
        if (const auto hit = cache_.find(path); hit != cache_.end() && hit->second.stamp == stamp) {
            return hit->second.sound;
        }
        cache_.erase(path);
        const std::vector<std::byte> bytes = readSmallFile(path, stamp.size);
        auto decoded = decodeForPlayback(bytes);
        if (!decoded) {
            return nullptr;
        }
        auto sound = std::make_shared<const PcmSound>(std::move(*decoded));
        cache_.insert_or_assign(path, CacheEntry{stamp, sound});
        return sound;
    }

    void play(std::shared_ptr<const PcmSound> sound) {
        const auto length =
            std::chrono::duration<double>(static_cast<double>(sound->frameCount()) / kPlaybackRate);
        std::unique_lock lock(stateMutex_);
        current_ = std::move(sound);
        position_ = 0;
        silentBuffersLeft_ = kTailBuffers;
        playing_ = true;
        if (!ended_.wait_for(lock, length + kDeviceGrace, [this] { return !playing_; })) {
            // The device has stopped calling us: stop using it rather than
            // make every later sound wait out the grace period as well.
            playing_ = false;
            current_.reset();
            lock.unlock();
            SDL_CloseAudioDevice(device_);
            device_ = 0;
        }
    }

    void playSync(std::string_view fileName) {
        const std::filesystem::path found = findDataFile(fileName, "sounds");
        if (found.empty()) {
            return;
        }
        const std::lock_guard serial(playMutex_);
        if (!ensureDevice()) {
            return;
        }
        if (auto sound = load(found.string())) {
            play(std::move(sound));
        }
    }
};

WavPlayer::WavPlayer() : impl_(std::make_unique<Impl>()) {}

WavPlayer::~WavPlayer() = default;

void WavPlayer::playSync(std::string_view fileName) noexcept {
    try {
        impl_->playSync(fileName);
    } catch (const std::bad_alloc&) {
        // A sound too big for the memory left is a sound that cannot be
        // played: silence, as for any other unplayable file.
    }
}

} // namespace platform
