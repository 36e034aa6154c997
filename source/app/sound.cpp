#include "app/sound.h"

#include "app/sound_manager.h"

BaseSound::BaseSound(const std::string& name, sound::SoundSource* source, sound::SoundEngine* engine,
                     SoundManager* manager)
    : source_(source), engine_(engine), manager_(manager), name_(name) {}

BaseSound::~BaseSound() = default;

void BaseSound::setVolume(float volume) {
    if (playing_) playing_->setVolume(volume);
    if (source_) source_->setDefaultVolume(volume);
}

void BaseSound::releaseHandle() { playing_.reset(); }

void Sound::play() {
    if (!source_ || !engine_ || manager_->soundsMuted()) return;
    playing_ = engine_->play2D(source_, false, false, true);
    if (playing_) playing_->setVolume(static_cast<float>(manager_->soundVolume()) * 0.01f);
}

void Sound::stop() {
    if (playing_) playing_->stop();
}

void Sound::playLooped() {
    if (!source_ || !engine_) return;
    playing_ = engine_->play2D(source_, true, false, true);
    if (playing_) playing_->setVolume(static_cast<float>(manager_->soundVolume()) * 0.01f);
}

void Sound::playOnce() {
    if (!source_ || !engine_ || manager_->soundsMuted()) return;
    engine_->play2D(source_, false, false, false);
}

void Sound::setSpeed(float speed) {
    if (!playing_) return;
    if (speed < 0.01f) {
        playing_->setPaused(true);
    } else {
        playing_->setPaused(false);
        playing_->setPlaybackSpeed(speed);
    }
}
