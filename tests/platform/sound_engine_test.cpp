#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/sound/sound_engine.h"

namespace {

// Waits for the playing sound to end: up to ten seconds, since the audio thread of a busy machine
// may fall far behind.
bool endsSoon(const sound::PlayingSound& playing) {
    for (int i = 0; i < 1000 && !playing.isFinished(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return playing.isFinished();
}

// Runs against the audio driver the environment names (the dummy driver in the test runs).
TEST(SoundEngine, TheClickPlaysToItsEnd) {
    std::string error;
    std::unique_ptr<sound::SoundEngine> engine = sound::createSoundEngine(error);
    ASSERT_NE(engine, nullptr) << error;

    sound::SoundSource* click = engine->addSoundSourceFromFile("Data/sound/button_press.ogg");
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(engine->addSoundSourceFromFile("data/Sound/Button_Press.ogg"), click);
    EXPECT_EQ(engine->addSoundSourceFromFile("Data/sound/no_such_file.ogg"), nullptr);
    click->setDefaultVolume(0.5f);
    EXPECT_FLOAT_EQ(click->defaultVolume(), 0.5f);

    EXPECT_EQ(engine->play2D(click, false, false, false), nullptr); // untracked
    std::shared_ptr<sound::PlayingSound> once = engine->play2D(click, false, false, true);
    ASSERT_NE(once, nullptr);
    once->setPlaybackSpeed(2.0f);
    EXPECT_TRUE(endsSoon(*once));

    // A looped sound plays until it is stopped; a paused one waits.
    std::shared_ptr<sound::PlayingSound> looped = engine->play2D(click, true, false, true);
    std::shared_ptr<sound::PlayingSound> paused = engine->play2D(click, false, true, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(looped->isFinished());
    EXPECT_FALSE(paused->isFinished());
    looped->stop();
    EXPECT_TRUE(looped->isFinished());
    paused->setPaused(false);
    EXPECT_TRUE(endsSoon(*paused));

    EXPECT_EQ(engine->play2D(nullptr, false, false, true), nullptr);
}

// Waits for the device to close: the audio thread has to find the silence first.
bool closesSoon(const sound::SoundEngine& engine) {
    for (int i = 0; i < 1000 && engine.deviceOpen(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !engine.deviceOpen();
}

TEST(SoundEngine, TheDeviceClosesInSilenceAndTheNextSoundOpensItAndPlays) {
    std::string error;
    std::unique_ptr<sound::SoundEngine> engine = sound::createSoundEngine(error, std::chrono::milliseconds(20));
    ASSERT_NE(engine, nullptr) << error;
    sound::SoundSource* click = engine->addSoundSourceFromFile("Data/sound/button_press.ogg");
    ASSERT_NE(click, nullptr);
    ASSERT_TRUE(closesSoon(*engine));

    std::shared_ptr<sound::PlayingSound> played = engine->play2D(click, false, false, true);
    ASSERT_NE(played, nullptr);
    EXPECT_TRUE(engine->deviceOpen());
    EXPECT_TRUE(endsSoon(*played));
    // A looped sound keeps it open past the silence; once stopped, it closes again.
    std::shared_ptr<sound::PlayingSound> looped = engine->play2D(click, true, false, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(engine->deviceOpen());
    looped->stop();
    EXPECT_TRUE(closesSoon(*engine));
    // Sources loaded for the first device play on the next one.
    EXPECT_TRUE(endsSoon(*engine->play2D(click, false, false, true)));
}

} // namespace
