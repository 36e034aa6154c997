#pragma once
// A sound effect of one file, played through the sound manager's engine. A sound whose file or
// audio device is missing has no source and stays silent, whatever it is asked.
#include <memory>
#include <string>

#include "platform/sound/sound_engine.h"

class SoundManager;

class BaseSound {
public:
    BaseSound(const std::string& name, sound::SoundSource* source, sound::SoundEngine* engine, SoundManager* manager);
    virtual ~BaseSound();
    BaseSound(const BaseSound&) = delete;
    BaseSound& operator=(const BaseSound&) = delete;

    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void playLooped() = 0;
    // Sets the playing sound's volume and the source's default volume (0..1).
    virtual void setVolume(float volume);
    // Lets go of the handle of the sound started last; it plays on.
    virtual void releaseHandle();

    const std::string& getName() const { return name_; }
    bool isSilent() const { return source_ == nullptr; }
    // The sound started last by play or playLooped, or null.
    sound::PlayingSound* playingSound() const { return playing_.get(); }

protected:
    sound::SoundSource* source_;
    sound::SoundEngine* engine_;
    std::shared_ptr<sound::PlayingSound> playing_;
    SoundManager* manager_;
    std::string name_;
};

class Sound final : public BaseSound {
public:
    using BaseSound::BaseSound;

    // Plays once at the sounds group's volume; nothing while the group is muted.
    void play() override;
    void stop() override;
    // Plays looped at the group's volume, muted or not (a muted group's volume is 0).
    void playLooped() override;
    // Plays once, untracked, at the source's default volume; nothing while muted.
    void playOnce();
    // Below 0.01 pauses the playing sound; otherwise resumes it at that speed.
    void setSpeed(float speed);
};
