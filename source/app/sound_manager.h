#pragma once
// Owns the sound engine and one sound per file name, and keeps the configured mute flags and
// volumes of the two groups, sounds and music, in force on every sound of the group.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "app/sound.h"

class ThreadResourcePool;

class SoundManager {
public:
    explicit SoundManager(ThreadResourcePool* pool);
    // Deletes every sound, then the engine.
    ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // Given right after construction; null when there is no audio device, and then every
    // sound is silent.
    void setEngine(std::unique_ptr<sound::SoundEngine> engine);
    sound::SoundEngine* getEngine() const { return engine_.get(); }

    // The sounds-group sound of file, made on first request; valid as long as the manager.
    Sound* getSound(const std::string& file);

    // The configured volume (percent): taken as the volume in force, and given to every sound of
    // the group unless the group is muted.
    void setSoundVolume(std::uint32_t percent);
    void setMusicVolume(std::uint32_t percent);
    // Muting sets the group's volume in force to 0, unmuting back to the configured volume;
    // either way every sound of the group gets it.
    void setSoundsMute(bool muted);
    void setMusicMute(bool muted);

    bool soundsMuted() const { return soundsMuted_; }
    std::uint32_t soundVolume() const { return soundVolume_; }
    bool musicMuted() const { return musicMuted_; }
    std::uint32_t musicVolume() const { return musicVolume_; }

private:
    using SoundMap = std::unordered_map<std::string, std::unique_ptr<Sound>>;
    static void applyVolume(SoundMap& group, std::uint32_t percent);

    ThreadResourcePool* pool_;
    std::unique_ptr<sound::SoundEngine> engine_;
    SoundMap sounds_;
    // The music group: kept in step with its settings, though nothing plays music yet.
    SoundMap music_;
    bool soundsMuted_ = false;
    std::uint32_t soundVolume_ = 0;
    std::uint32_t soundVolumeSaved_ = 0;
    bool musicMuted_ = false;
    std::uint32_t musicVolume_ = 0;
    std::uint32_t musicVolumeSaved_ = 0;
    bool silenceLogged_ = false;
};
