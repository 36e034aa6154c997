#include "app/sound_manager.h"

#include "app/log.h"

SoundManager::SoundManager(ThreadResourcePool* pool) : pool_(pool) {}

SoundManager::~SoundManager() {
    // Sounds hold the engine's sources and handles: they go first.
    sounds_.clear();
    music_.clear();
    engine_.reset();
}

void SoundManager::setEngine(std::unique_ptr<sound::SoundEngine> engine) { engine_ = std::move(engine); }

Sound* SoundManager::getSound(const std::string& file) {
    const auto found = sounds_.find(file);
    if (found != sounds_.end()) return found->second.get();

    sound::SoundSource* source = nullptr;
    if (!engine_) {
        if (!silenceLogged_) LOG_MESSAGE("No audio device: sounds stay silent");
        silenceLogged_ = true;
    } else if (!(source = engine_->addSoundSourceFromFile(file))) {
        LOG_MESSAGE("Unable to load sound %s: it stays silent", file.c_str());
    }
    if (source) source->setDefaultVolume(static_cast<float>(soundVolume_) / 100.0f);
    auto& slot = sounds_[file];
    slot = std::make_unique<Sound>(file, source, engine_.get(), this);
    return slot.get();
}

void SoundManager::applyVolume(SoundMap& group, std::uint32_t percent) {
    for (auto& [name, sound] : group) sound->setVolume(static_cast<float>(percent) * 0.01f);
}

void SoundManager::setSoundVolume(std::uint32_t percent) {
    soundVolume_ = soundVolumeSaved_ = percent;
    if (!soundsMuted_) applyVolume(sounds_, soundVolume_);
}

void SoundManager::setMusicVolume(std::uint32_t percent) {
    musicVolume_ = musicVolumeSaved_ = percent;
    if (!musicMuted_) applyVolume(music_, musicVolume_);
}

void SoundManager::setSoundsMute(bool muted) {
    soundsMuted_ = muted;
    soundVolume_ = muted ? 0 : soundVolumeSaved_;
    applyVolume(sounds_, soundVolume_);
}

void SoundManager::setMusicMute(bool muted) {
    musicMuted_ = muted;
    musicVolume_ = muted ? 0 : musicVolumeSaved_;
    applyVolume(music_, musicVolume_);
}
