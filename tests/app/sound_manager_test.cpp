#include <gtest/gtest.h>

#include "app/sound_manager.h"
#include "fake_sound_engine.h"
#include "support/log_capture.h"

namespace {

const std::string click = "Data/sound/button_press.ogg";

struct SoundManagerTest : ::testing::Test {
    SoundManagerTest() {
        auto owned = std::make_unique<FakeSoundEngine>();
        engine = owned.get();
        manager.setEngine(std::move(owned));
    }
    // What applyGameSettings does with the configured values.
    void configure(std::uint32_t volume, bool muted) {
        manager.setSoundVolume(volume);
        manager.setSoundsMute(muted);
    }
    FakePlayingSound& last() { return *engine->started.back(); }

    SoundManager manager{nullptr};
    FakeSoundEngine* engine = nullptr;
};

TEST_F(SoundManagerTest, TheSameFileGivesTheSameSound) {
    Sound* first = manager.getSound(click);
    Sound* second = manager.getSound(click);
    EXPECT_EQ(first, second);
    EXPECT_EQ(engine->loads[click], 1);
    EXPECT_NE(manager.getSound("Data/sound/other.ogg"), first);
    EXPECT_FALSE(first->isSilent());
}

TEST_F(SoundManagerTest, MutingAndUnmutingRestoresTheConfiguredVolume) {
    configure(60, false);
    Sound* a = manager.getSound(click);
    Sound* b = manager.getSound("b.ogg");
    EXPECT_FLOAT_EQ(engine->sources[click]->defaultVolume(), 0.6f);
    a->play();
    FakePlayingSound& playing = last();
    EXPECT_FLOAT_EQ(playing.volume, 0.6f);

    manager.setSoundsMute(true);
    EXPECT_EQ(manager.soundVolume(), 0u);
    EXPECT_FLOAT_EQ(playing.volume, 0.0f);
    EXPECT_FLOAT_EQ(engine->sources["b.ogg"]->defaultVolume(), 0.0f);
    // A sound made while muted starts at 0 too.
    manager.getSound("c.ogg");
    EXPECT_FLOAT_EQ(engine->sources["c.ogg"]->defaultVolume(), 0.0f);

    manager.setSoundsMute(false);
    EXPECT_EQ(manager.soundVolume(), 60u);
    EXPECT_FLOAT_EQ(playing.volume, 0.6f);
    for (const char* name : {"b.ogg", "c.ogg"}) EXPECT_FLOAT_EQ(engine->sources[name]->defaultVolume(), 0.6f) << name;
    (void)b;

    // A new configured volume reaches every sound unless the group is muted.
    manager.setSoundVolume(20);
    EXPECT_FLOAT_EQ(engine->sources["c.ogg"]->defaultVolume(), 0.2f);
    manager.setSoundsMute(true);
    manager.setSoundVolume(90);
    EXPECT_FLOAT_EQ(engine->sources["c.ogg"]->defaultVolume(), 0.0f);
}

TEST_F(SoundManagerTest, MutedSoundsPlayOnlyWhenLooped) {
    configure(50, true);
    Sound* sound = manager.getSound(click);
    sound->play();
    sound->playOnce();
    EXPECT_TRUE(engine->started.empty());
    sound->playLooped();
    ASSERT_EQ(engine->started.size(), 1u);
    EXPECT_TRUE(last().looped);
    EXPECT_FLOAT_EQ(last().volume, 0.0f);

    manager.setSoundsMute(false);
    sound->playOnce();
    EXPECT_EQ(engine->untracked, 1);
    EXPECT_FLOAT_EQ(last().volume, 0.5f); // the source's default volume
}

TEST_F(SoundManagerTest, SpeedPausesBelowOneHundredthAndStopEndsThePlayingSound) {
    configure(100, false);
    Sound* sound = manager.getSound(click);
    sound->setSpeed(2.0f); // nothing playing: nothing to do
    sound->play();
    FakePlayingSound& playing = last();
    sound->setSpeed(0.005f);
    EXPECT_TRUE(playing.paused);
    sound->setSpeed(1.5f);
    EXPECT_FALSE(playing.paused);
    EXPECT_FLOAT_EQ(playing.speed, 1.5f);
    sound->stop();
    EXPECT_TRUE(playing.stopped);
    sound->releaseHandle();
    EXPECT_EQ(sound->playingSound(), nullptr);
    sound->stop();
}

TEST(SoundManagerSilence, WithoutAnEngineOrAFileSoundsAreSilentAndLoggedOnce) {
    LogCapture capture;
    {
        SoundManager manager(nullptr);
        manager.setSoundVolume(75);
        Sound* sound = manager.getSound(click);
        manager.getSound("other.ogg");
        EXPECT_TRUE(sound->isSilent());
        sound->play();
        sound->playLooped();
        sound->playOnce();
        sound->setSpeed(0.5f);
        sound->setVolume(0.3f);
        sound->stop();
        sound->releaseHandle();
        manager.setSoundsMute(true);
        manager.setSoundsMute(false);
        EXPECT_EQ(sound->playingSound(), nullptr);
    }
    int lines = 0;
    for (const std::string& line : capture.lines()) lines += line.find("No audio device") != std::string::npos;
    EXPECT_EQ(lines, 1);

    capture.clear();
    SoundManager manager(nullptr);
    auto engine = std::make_unique<FakeSoundEngine>();
    engine->missing.insert("gone.ogg");
    FakeSoundEngine* fake = engine.get();
    manager.setEngine(std::move(engine));
    Sound* gone = manager.getSound("gone.ogg");
    EXPECT_TRUE(gone->isSilent());
    gone->play();
    gone->playLooped();
    EXPECT_TRUE(fake->started.empty());
    EXPECT_TRUE(capture.contains("Unable to load sound gone.ogg"));
}

} // namespace
