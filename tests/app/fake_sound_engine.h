#pragma once
// A sound engine that plays nothing and records what it is asked, for the sound manager's tests.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/sound/sound_engine.h"

class FakeSoundSource : public sound::SoundSource {
public:
    void setDefaultVolume(float volume) override { volume_ = volume; }
    float defaultVolume() const override { return volume_; }

private:
    float volume_ = 1.0f;
};

class FakePlayingSound : public sound::PlayingSound {
public:
    void setPaused(bool value) override { paused = value; }
    void stop() override { stopped = true; }
    void setVolume(float value) override { volume = value; }
    void setPlaybackSpeed(float value) override { speed = value; }
    bool isFinished() const override { return stopped; }

    bool looped = false;
    bool paused = false;
    bool stopped = false;
    float volume = 1.0f;
    float speed = 1.0f;
};

class FakeSoundEngine : public sound::SoundEngine {
public:
    sound::SoundSource* addSoundSourceFromFile(const std::string& file) override {
        ++loads[file];
        if (missing.count(file)) return nullptr;
        auto& source = sources[file];
        if (!source) source = std::make_unique<FakeSoundSource>();
        return source.get();
    }
    std::shared_ptr<sound::PlayingSound> play2D(sound::SoundSource* source, bool looped, bool startPaused,
                                                bool track) override {
        auto playing = std::make_shared<FakePlayingSound>();
        playing->looped = looped;
        playing->paused = startPaused;
        playing->volume = source->defaultVolume();
        started.push_back(playing);
        untracked += track ? 0 : 1;
        return track ? playing : nullptr;
    }
    bool deviceOpen() const override { return true; }

    std::map<std::string, int> loads;
    std::set<std::string> missing;
    std::map<std::string, std::unique_ptr<FakeSoundSource>> sources;
    std::vector<std::shared_ptr<FakePlayingSound>> started;
    int untracked = 0;
};
