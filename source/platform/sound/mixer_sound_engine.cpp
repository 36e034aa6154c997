// The sound engine over SDL2_mixer: the mixer decodes files and owns the audio device; the
// playing sounds are mixed here, after the mixer's own channels, so that each can change its
// speed while it plays. The device is closed once nothing has played for a while and opened
// again by the next sound: an open device wakes its thread many times a second even in silence.
#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/paths.h"
#include "platform/sound/sound_engine.h"

namespace sound {
namespace {

class MixerSource final : public SoundSource {
public:
    explicit MixerSource(Mix_Chunk* chunk) : chunk(chunk) {}
    ~MixerSource() override { Mix_FreeChunk(chunk); }
    MixerSource(const MixerSource&) = delete;
    MixerSource& operator=(const MixerSource&) = delete;

    void setDefaultVolume(float volume) override {
        std::lock_guard<std::mutex> lock(*mutex);
        volume_ = std::clamp(volume, 0.0f, 1.0f);
    }
    float defaultVolume() const override {
        std::lock_guard<std::mutex> lock(*mutex);
        return volume_;
    }

    Mix_Chunk* chunk;
    std::shared_ptr<std::mutex> mutex;

private:
    float volume_ = 1.0f;
};

// One sound being played. Shared by the engine's mixing list and the caller's handle; its
// samples belong to the source, which lives as long as the engine.
class Voice final : public PlayingSound {
public:
    Voice(std::shared_ptr<std::mutex> mutex, const MixerSource& source, bool looped, bool paused)
        : mutex_(std::move(mutex)),
          samples_(reinterpret_cast<const Sint16*>(source.chunk->abuf)),
          looped_(looped),
          paused_(paused),
          volume_(source.defaultVolume()) {
        bytes_ = source.chunk->alen;
    }

    void setPaused(bool paused) override {
        std::lock_guard<std::mutex> lock(*mutex_);
        paused_ = paused;
    }
    void stop() override {
        std::lock_guard<std::mutex> lock(*mutex_);
        finished_ = true;
    }
    void setVolume(float volume) override {
        std::lock_guard<std::mutex> lock(*mutex_);
        volume_ = std::clamp(volume, 0.0f, 1.0f);
    }
    void setPlaybackSpeed(float speed) override {
        std::lock_guard<std::mutex> lock(*mutex_);
        speed_ = std::max(speed, 0.0f);
    }
    bool isFinished() const override {
        std::lock_guard<std::mutex> lock(*mutex_);
        return finished_;
    }
    // For the mixer, which already holds the lock.
    bool finishedLocked() const { return finished_; }

    // Adds this voice into frames of interleaved 16-bit samples; called with the lock held.
    void mixInto(Sint32* mix, int frames, int channels) {
        if (finished_ || paused_) return;
        const std::size_t total = static_cast<std::size_t>(bytes_) / sizeof(Sint16) / static_cast<std::size_t>(channels);
        if (total == 0) {
            finished_ = true;
            return;
        }
        for (int f = 0; f < frames; ++f) {
            if (position_ >= static_cast<double>(total)) {
                if (!looped_) {
                    finished_ = true;
                    return;
                }
                position_ = std::fmod(position_, static_cast<double>(total));
            }
            const std::size_t index = static_cast<std::size_t>(position_);
            const std::size_t next = index + 1 < total ? index + 1 : (looped_ ? 0 : index);
            const float t = static_cast<float>(position_ - static_cast<double>(index));
            for (int c = 0; c < channels; ++c) {
                const float a = samples_[index * channels + c];
                const float b = samples_[next * channels + c];
                mix[f * channels + c] += static_cast<Sint32>((a + (b - a) * t) * volume_);
            }
            position_ += speed_;
        }
    }

private:
    std::shared_ptr<std::mutex> mutex_;
    const Sint16* samples_;
    Uint32 bytes_ = 0;
    bool looped_;
    bool paused_;
    bool finished_ = false;
    float volume_;
    float speed_ = 1.0f;
    double position_ = 0;
};

class MixerSoundEngine final : public SoundEngine {
public:
    explicit MixerSoundEngine(std::chrono::milliseconds silenceBeforeClosing)
        : silenceBeforeClosing_(silenceBeforeClosing) {}
    ~MixerSoundEngine() override {
        if (!initialised_) return;
        {
            std::lock_guard<std::mutex> lock(closerMutex_);
            stopCloser_ = true;
        }
        closerWake_.notify_all();
        if (closer_.joinable()) closer_.join();
        {
            std::lock_guard<std::mutex> device(deviceMutex_);
            closeDevice();
        }
        {
            std::lock_guard<std::mutex> lock(*mutex_);
            voices_.clear();
        }
        sources_.clear();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    MixerSoundEngine(const MixerSoundEngine&) = delete;
    MixerSoundEngine& operator=(const MixerSoundEngine&) = delete;

    bool open(std::string& error) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            error = SDL_GetError();
            return false;
        }
        Mix_Init(MIX_INIT_OGG);
        {
            std::lock_guard<std::mutex> device(deviceMutex_);
            if (!openDevice()) {
                error = Mix_GetError();
                Mix_Quit();
                SDL_QuitSubSystem(SDL_INIT_AUDIO);
                return false;
            }
        }
        initialised_ = true;
        closer_ = std::thread([this] { closeWhenSilent(); });
        return true;
    }

    SoundSource* addSoundSourceFromFile(const std::string& file) override {
        // Keyed by the file found on disk, so two spellings of one file share its samples.
        const std::string path = platform::resolvePath(file);
        const auto found = sources_.find(path);
        if (found != sources_.end()) return found->second.get();
        // The mixer converts what it loads to the open device's format.
        std::lock_guard<std::mutex> device(deviceMutex_);
        if (!openDevice()) return nullptr;
        Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
        if (!chunk) return nullptr;
        auto source = std::make_unique<MixerSource>(chunk);
        source->mutex = mutex_;
        return (sources_[path] = std::move(source)).get();
    }

    std::shared_ptr<PlayingSound> play2D(SoundSource* source, bool looped, bool startPaused, bool track) override {
        if (!source) return nullptr;
        std::lock_guard<std::mutex> device(deviceMutex_);
        if (!openDevice()) return nullptr;
        auto voice = std::make_shared<Voice>(mutex_, static_cast<MixerSource&>(*source), looped, startPaused);
        {
            std::lock_guard<std::mutex> lock(*mutex_);
            voices_.push_back(voice);
        }
        return track ? voice : nullptr;
    }

    bool deviceOpen() const override {
        std::lock_guard<std::mutex> device(deviceMutex_);
        return deviceOpen_;
    }

private:
    // Called with deviceMutex_ held. The format asked for never changes, so the sources loaded
    // for the first device play on every later one.
    bool openDevice() {
        if (deviceOpen_) return true;
        if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) return false;
        int frequency = 0;
        Uint16 format = 0;
        Mix_QuerySpec(&frequency, &format, &channels_);
        Mix_SetPostMix(&MixerSoundEngine::postMix, this);
        deviceOpen_ = true;
        return true;
    }
    // Called with deviceMutex_ held; waits for the audio thread to end.
    void closeDevice() {
        if (!deviceOpen_) return;
        Mix_SetPostMix(nullptr, nullptr);
        Mix_CloseAudio();
        deviceOpen_ = false;
    }

    static void postMix(void* self, Uint8* stream, int length) {
        static_cast<MixerSoundEngine*>(self)->mix(reinterpret_cast<Sint16*>(stream), length);
    }

    // The closer's thread: asleep until the audio thread finds nothing to play, then closes the
    // device once the silence has lasted, unless a sound started meanwhile. Closing waits for the
    // audio thread, which never takes deviceMutex_ nor holds closerMutex_ while it waits.
    void closeWhenSilent() {
        std::unique_lock<std::mutex> lock(closerMutex_);
        while (!stopCloser_) {
            if (!closeDue_) {
                closerWake_.wait(lock);
                continue;
            }
            if (closerWake_.wait_until(lock, *closeDue_) != std::cv_status::timeout) continue;
            closeDue_.reset();
            lock.unlock();
            {
                std::lock_guard<std::mutex> device(deviceMutex_);
                bool silent = false;
                {
                    std::lock_guard<std::mutex> voices(*mutex_);
                    silent = voices_.empty();
                }
                if (silent) closeDevice();
            }
            lock.lock();
        }
    }

    // On the audio thread, with mutex_ held.
    void scheduleClose() {
        std::lock_guard<std::mutex> lock(closerMutex_);
        if (closeDue_) return;
        closeDue_ = std::chrono::steady_clock::now() + silenceBeforeClosing_;
        closerWake_.notify_all();
    }

    // Runs on the audio thread.
    void mix(Sint16* stream, int length) {
        {
            std::lock_guard<std::mutex> lock(*mutex_);
            if (voices_.empty()) {
                scheduleClose();
                return;
            }
        }
        if (channels_ <= 0) return;
        const int samples = length / static_cast<int>(sizeof(Sint16));
        const int frames = samples / channels_;
        mixBuffer_.assign(static_cast<std::size_t>(samples), 0);
        for (int i = 0; i < samples; ++i) mixBuffer_[i] = stream[i];
        {
            std::lock_guard<std::mutex> lock(*mutex_);
            for (const auto& voice : voices_) voice->mixInto(mixBuffer_.data(), frames, channels_);
            std::erase_if(voices_, [](const std::shared_ptr<Voice>& v) { return v->finishedLocked(); });
        }
        for (int i = 0; i < samples; ++i) stream[i] = static_cast<Sint16>(std::clamp(mixBuffer_[i], -32768, 32767));
    }

    const std::chrono::milliseconds silenceBeforeClosing_;
    // Guards the voices.
    std::shared_ptr<std::mutex> mutex_ = std::make_shared<std::mutex>();
    // Guards opening and closing the device; taken before mutex_, never on the audio thread.
    mutable std::mutex deviceMutex_;
    std::map<std::string, std::unique_ptr<MixerSource>> sources_;
    std::vector<std::shared_ptr<Voice>> voices_;
    std::vector<Sint32> mixBuffer_;
    int channels_ = 2;
    bool initialised_ = false;
    bool deviceOpen_ = false;
    // The closer's schedule, under closerMutex_.
    std::mutex closerMutex_;
    std::condition_variable closerWake_;
    std::optional<std::chrono::steady_clock::time_point> closeDue_;
    bool stopCloser_ = false;
    std::thread closer_;
};

} // namespace

std::unique_ptr<SoundEngine> createSoundEngine(std::string& error, std::chrono::milliseconds silenceBeforeClosing) {
    auto engine = std::make_unique<MixerSoundEngine>(silenceBeforeClosing);
    if (!engine->open(error)) return nullptr;
    return engine;
}

} // namespace sound
