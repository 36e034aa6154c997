#pragma once
// The audio engine the sound manager plays through: sources loaded from files, played in 2D
// once or looped, with a handle to pause, stop and set the volume and speed of a playing sound.
#include <chrono>
#include <memory>
#include <string>

namespace sound {

// One file's sound, loaded whole. Owned by the engine that made it.
class SoundSource {
public:
    virtual ~SoundSource() = default;
    // The volume (0..1) a sound started from this source plays at until told otherwise.
    virtual void setDefaultVolume(float volume) = 0;
    virtual float defaultVolume() const = 0;
};

// A sound that was started with tracking. Dropping the last reference releases the handle;
// the sound plays on until it ends.
class PlayingSound {
public:
    virtual ~PlayingSound() = default;
    virtual void setPaused(bool paused) = 0;
    virtual void stop() = 0;
    virtual void setVolume(float volume) = 0;
    // 1 is the recorded speed; the pitch follows.
    virtual void setPlaybackSpeed(float speed) = 0;
    // Ended by itself or stopped.
    virtual bool isFinished() const = 0;
};

class SoundEngine {
public:
    virtual ~SoundEngine() = default;
    // The source for file, loaded on first request; null when the file can't be read as sound.
    virtual SoundSource* addSoundSourceFromFile(const std::string& file) = 0;
    // Starts source at its default volume. The handle comes back only when track is set.
    virtual std::shared_ptr<PlayingSound> play2D(SoundSource* source, bool looped, bool startPaused, bool track) = 0;
    // Whether the audio device is open now: it closes after a while of silence and opens again
    // for the next sound.
    virtual bool deviceOpen() const = 0;
};

// The engine over the system's audio output; null, with the reason in error, when there is
// no audio device. The device closes once nothing has played for silenceBeforeClosing (an open
// device keeps its thread waking even in silence); the first sound after that opens it again.
std::unique_ptr<SoundEngine> createSoundEngine(std::string& error,
                                               std::chrono::milliseconds silenceBeforeClosing = std::chrono::seconds(10));

} // namespace sound
