// The sound player on SDL's dummy and disk drivers: slots refused and replaced, restarts, the end of an
// effect, the volume scale, music on and off, and a machine without a sound device.
#include <gtest/gtest.h>

#include <SDL.h>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/settings/settings_file.h"
#include "platform/sound/simple_sound.h"
#include "sound/sound_scratch.h"

#include "foundation/safeguards.h"

namespace {

using sound_test::WriteEffect;

// Polls until the predicate holds; at most 400 rounds of 10 ms, so a stuck player fails the test.
template <class F> bool WaitFor(F done)
{
    for (int i = 0; i < 400; ++i) {
        if (done())
            return true;
        SDL_Delay(10);
    }
    return done();
}

class SimpleSound : public testing::Test {
protected:
    void SetUp() override
    {
        sound_test::UseAudioDriver("dummy");
        nomusic = 0;
        sound = std::make_unique<CSimpleSound>();
        ASSERT_TRUE(sound->HasDevice()) << SDL_GetError();
    }
    std::unique_ptr<CSimpleSound> sound;
};

TEST_F(SimpleSound, SlotsOutsideTheTableAreRefusedWithoutTouchingAnySlot)
{
    const std::string file = WriteEffect("sfx\\wave\\click.wav", 60);
    ASSERT_EQ(sound->AddSound(5, file.c_str(), Voices {}), 1);
    for (int id : { -1, -89, INT_MIN, 128, 1000, INT_MAX }) {
        SCOPED_TRACE(id);
        EXPECT_EQ(sound->AddSound(id, file.c_str(), Voices {}), 0);
        sound->Play(id, _Once_, 100, 128);
        sound->Stop(id);
        sound->Volume(id, 50);
        EXPECT_EQ(sound->IsPlaying(id), 0);
        EXPECT_FALSE(sound->IsLoaded(id));
    }
    EXPECT_EQ(Mix_Playing(-1), 0);
    for (int id = 0; id < NUM_BUFFERS_SOURCES; ++id)
        EXPECT_EQ(sound->IsLoaded(id), id == 5) << id;
}

TEST_F(SimpleSound, MissingFilesAnswerZeroAndLeaveTheSlotAsItWas)
{
    EXPECT_EQ(sound->AddSound(3, "sfx\\wave\\nothing_here.wav", Voices {}), 0);
    EXPECT_FALSE(sound->IsLoaded(3));
    const std::string file = WriteEffect("sfx\\wave\\first.wav", 60);
    ASSERT_EQ(sound->AddSound(3, file.c_str(), Voices {}), 1);
    EXPECT_EQ(sound->AddSound(3, "sfx\\wave\\nothing_here.wav", Voices {}), 0);
    EXPECT_TRUE(sound->IsLoaded(3));
    // An empty slot plays nothing.
    sound->Play(4);
    EXPECT_EQ(sound->IsPlaying(4), 0);
}

// The sanitizer's leak check sees the first sound if a second load into its slot dropped it.
TEST_F(SimpleSound, LoadingIntoAUsedSlotReplacesTheOldSound)
{
    const std::string low = WriteEffect("sfx\\wave\\low.wav", 60, 220.0);
    const std::string high = WriteEffect("sfx\\wave\\high.wav", 120, 880.0);
    ASSERT_EQ(sound->AddSound(9, low.c_str(), Voices {}), 1);
    sound->Play(9);
    ASSERT_EQ(sound->AddSound(9, high.c_str(), Voices {}), 1);
    EXPECT_EQ(sound->IsPlaying(9), 0) << "the old sound stopped with its removal";
    sound->Play(9);
    EXPECT_EQ(sound->IsPlaying(9), 1);
}

TEST_F(SimpleSound, PlayingTwiceRestartsOnTheSlotsOwnChannel)
{
    const std::string file = WriteEffect("sfx\\wave\\long.wav", 1500);
    ASSERT_EQ(sound->AddSound(12, file.c_str(), Voices {}), 1);
    sound->Play(12);
    sound->Play(12);
    EXPECT_EQ(sound->IsPlaying(12), 1);
    EXPECT_EQ(Mix_Playing(12), 1);
    EXPECT_EQ(Mix_Playing(-1), 1) << "a second play must not layer a second copy";
    sound->Stop(12);
    EXPECT_EQ(sound->IsPlaying(12), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SimpleSound, AnEffectIsNoLongerPlayingOnceItHasEnded)
{
    const std::string file = WriteEffect("sfx\\wave\\blip.wav", 50);
    ASSERT_EQ(sound->AddSound(20, file.c_str(), Voices {}), 1);
    sound->Play(20);
    EXPECT_EQ(sound->IsPlaying(20), 1);
    EXPECT_TRUE(WaitFor([&] { return sound->IsPlaying(20) == 0; }));
}

TEST_F(SimpleSound, RandomChoicesPlayOneOfTheNamedSlots)
{
    const std::string file = WriteEffect("sfx\\wave\\long.wav", 1500);
    for (int id : { 40, 41, 42, 43, 44 })
        ASSERT_EQ(sound->AddSound(id, file.c_str(), Voices {}), 1);
    bool played[5] = {};
    for (int round = 0; round < 60; ++round) {
        sound->Play(40, 41, 42, 43, 44);
        int playing = 0;
        for (int id = 40; id < 45; ++id) {
            if (sound->IsPlaying(id)) {
                played[id - 40] = true;
                ++playing;
                sound->Stop(id);
            }
        }
        ASSERT_EQ(playing, 1);
    }
    for (bool seen : played)
        EXPECT_TRUE(seen) << "every choice comes up in 60 rounds";
}

TEST(SoundVolume, GameVolumesMapLinearlyOntoTheMixerScale)
{
    const struct {
        int game;
        int mixer;
    } kCases[] = { { -5, 0 }, { 0, 0 }, { 1, 1 }, { 50, 64 }, { 99, 126 }, { 100, 128 }, { 150, 128 },
        { 1000, 128 } };
    for (const auto& c : kCases)
        EXPECT_EQ(CSimpleSound::MixerVolume(c.game), c.mixer) << c.game;
}

TEST_F(SimpleSound, VolumesReachTheLoadedSlotsAndTheDefaultBecomes128)
{
    const std::string file = WriteEffect("sfx\\wave\\click.wav", 60);
    ASSERT_EQ(sound->AddSound(1, file.c_str(), Voices {}), 1);
    ASSERT_EQ(sound->AddSound(2, file.c_str(), Voices {}), 1);
    sound->Volume(2, 50);
    EXPECT_EQ(sound->GetDefaultVolume(), 10000);
    sound->Volume(25);
    EXPECT_EQ(sound->GetDefaultVolume(), 128);
}

class Music : public SimpleSound {
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        const std::string folder = sound_test::Folder() + "/music";
        std::filesystem::create_directories(folder);
        ASSERT_TRUE(datagen::EncodeSong(folder + "/one.mp3", { 440.0, 660.0 }, 1000, &error)) << error;
        ASSERT_TRUE(datagen::EncodeSong(folder + "/two.mp3", { 330.0 }, 2000, &error)) << error;
    }
    void TearDown() override { nomusic = 0; }
};

TEST_F(Music, NoMusicRefusesToPlay)
{
    nomusic = 1;
    EXPECT_EQ(sound->MusicPlay("music\\one.mp3"), 0);
    EXPECT_EQ(sound->MusicPlaying(), 0);
}

TEST_F(Music, ASecondPieceStopsTheFirstAndAMissingOneStopsBoth)
{
    ASSERT_EQ(sound->MusicPlay("music\\one.mp3"), 1);
    EXPECT_EQ(sound->MusicPlaying(), 1);
    ASSERT_EQ(sound->MusicPlay("music\\two.mp3"), 1);
    EXPECT_EQ(sound->MusicPlaying(), 1);
    sound->MusicVolume(40);
    EXPECT_EQ(Mix_VolumeMusic(-1), CSimpleSound::MixerVolume(40));
    EXPECT_EQ(sound->MusicPlay("music\\missing.mp3"), 0);
    EXPECT_EQ(sound->MusicPlaying(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(Music, OverlongPathsAreRefused)
{
    const std::string longPath = "music\\" + std::string(1100, 'x') + ".mp3";
    EXPECT_EQ(sound->MusicPlay(longPath.c_str()), 0);
    EXPECT_EQ(sound->AddSound(0, longPath.c_str(), Voices {}), 0);
}

TEST(SilentMachine, EveryCallFailsSoftlyWithoutAnAudioDevice)
{
    const std::string file = WriteEffect("sfx\\wave\\click.wav", 60);
    sound_test::UseAudioDriver("no_such_driver");
    nomusic = 0;
    CSimpleSound sound;
    EXPECT_FALSE(sound.HasDevice());
    EXPECT_EQ(sound.AddSound(7, file.c_str(), Voices {}), 1);
    EXPECT_EQ(sound.AddSound(8, "sfx\\wave\\missing.wav", Voices {}), 0);
    sound.Play(7);
    sound.Play(7, 8);
    sound.Volume(7, 50);
    sound.Volume(60);
    sound.Stop(7);
    EXPECT_EQ(sound.IsPlaying(7), 0);
    EXPECT_EQ(sound.MusicPlay(file.c_str()), 1);
    EXPECT_EQ(sound.MusicPlaying(), 0);
    sound.MusicVolume(10);
    sound.StopMusic();
}

// The disk driver writes what the mixer sends the speakers: the effect must reach it, and at volume 0
// nothing may.
std::vector<std::int16_t> PlayToDisk(int volume)
{
    const std::string output = sound_test::Folder() + "/speakers.raw";
    std::filesystem::remove(output);
    const std::string file = WriteEffect("sfx\\wave\\Interface_ValidClick.wav", 150);
    sound_test::UseAudioDriver("disk");
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    {
        CSimpleSound sound;
        EXPECT_TRUE(sound.HasDevice()) << SDL_GetError();
        EXPECT_EQ(sound.AddSound(32, file.c_str(), Voices {}), 1);
        sound.Volume(32, volume);
        sound.Play(32);
        EXPECT_EQ(sound.IsPlaying(32), 1);
        EXPECT_TRUE(WaitFor([&] { return sound.IsPlaying(32) == 0; }));
    }
    std::ifstream in(output, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

int Loudest(const std::vector<std::int16_t>& samples)
{
    int loudest = 0;
    for (std::int16_t s : samples)
        loudest = std::max(loudest, std::abs(static_cast<int>(s)));
    return loudest;
}

TEST(DiskDriver, AnEffectReachesTheSpeakersAndVolumeZeroIsSilent)
{
    const std::vector<std::int16_t> loud = PlayToDisk(100);
    ASSERT_GT(loud.size(), 1000u);
    EXPECT_GT(Loudest(loud), 3000);
    const std::vector<std::int16_t> quiet = PlayToDisk(0);
    ASSERT_GT(quiet.size(), 1000u);
    EXPECT_EQ(Loudest(quiet), 0);
}

} // namespace
