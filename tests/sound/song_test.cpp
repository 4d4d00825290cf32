// The song handler: play lists from "music.txt", the first song first, the century's list in a running
// game, and nothing at all without songs or with music off.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "events/event_routing.h"
#include "events/game_clock.h"
#include "gfx/song.h"
#include "platform/settings/settings_file.h"
#include "platform/sound/simple_sound.h"
#include "sound/sound_scratch.h"
#include "support/fake_game.h"

#include "foundation/safeguards.h"

namespace {

class Song : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string folder = sound_test::Folder() + "/tunes";
        std::filesystem::create_directories(folder);
        std::string error;
        for (const char* name : { "Opening", "Second Song", "Third" })
            ASSERT_TRUE(datagen::EncodeSong(folder + "/" + name + ".mp3", { 440.0 }, 3000, &error)) << error;
    }
    void SetUp() override
    {
        sound_test::UseAudioDriver("dummy");
        nomusic = 0;
        std::snprintf(MusicPath, sizeof MusicPath, "%s", "tunes");
        CSong::ResetFirstSong();
        gpSound = player = new CSimpleSound();
        ASSERT_TRUE(player->HasDevice());
    }
    void TearDown() override
    {
        RemoveSongHandler();
        delete player;
        gpSound = nullptr;
        gEventRoutes.game = nullptr;
        delete gpTimer;
        gpTimer = nullptr;
        nomusic = 0;
        std::snprintf(MusicPath, sizeof MusicPath, "%s", "music");
    }
    static void WriteList(const std::string& text) { sound_test::WriteFile("tunes\\music.txt", text); }

    CSimpleSound* player = nullptr;
};

TEST_F(Song, EveryListHoldsTheLongerLinesAndTheFirstSongPlaysFirst)
{
    WriteList("Opening\r\n\r\nab\r\nSecond Song\r\nThird");
    CreateSongHandler();
    for (int list = 0; list < kPlayListCount; ++list)
        EXPECT_EQ(gpSongHandler->GetPlayListSize(list), 3) << list;
    EXPECT_STREQ(gpSongHandler->GetSong(), "Opening");
    EXPECT_EQ(player->MusicPlaying(), 1);
    // The song plays on: an update starts nothing new.
    gpSongHandler->Update();
    EXPECT_STREQ(gpSongHandler->GetSong(), "Opening");
}

TEST_F(Song, AnEndedSongIsFollowedByAnotherOfTheList)
{
    WriteList("Opening\nSecond Song\nThird\n");
    CreateSongHandler();
    player->StopMusic();
    gpSongHandler->Update();
    EXPECT_EQ(player->MusicPlaying(), 1);
    const std::string song = gpSongHandler->GetSong();
    EXPECT_TRUE(song == "Opening" || song == "Second Song" || song == "Third") << song;
}

TEST_F(Song, NoSongsOrNoMusicPlayNothingNowOrLater)
{
    for (const char* list : { "", "x\r\nab\r\n" }) {
        WriteList(list);
        CreateSongHandler();
        for (int frame = 0; frame < 3; ++frame)
            gpSongHandler->Update();
        EXPECT_STREQ(gpSongHandler->GetSong(), "");
        EXPECT_EQ(player->MusicPlaying(), 0);
    }
    std::filesystem::remove(sound_test::Folder() + "/tunes/music.txt");
    CreateSongHandler();
    gpSongHandler->Update();
    EXPECT_STREQ(gpSongHandler->GetSong(), "");

    WriteList("Opening\n");
    nomusic = 1;
    CreateSongHandler();
    gpSongHandler->Update();
    EXPECT_STREQ(gpSongHandler->GetSong(), "");
    EXPECT_EQ(player->MusicPlaying(), 0);
}

TEST_F(Song, TheCenturyChoosesTheListInARunningGameOnly)
{
    EXPECT_EQ(CSong::ChoosePlayList(), 0) << "front end";
    CStartedGame game;
    gEventRoutes.game = &game;
    EXPECT_EQ(CSong::ChoosePlayList(), 0) << "no clock yet";
    gpTimer = new CRZTimer(15);
    const struct {
        int year;
        int list;
    } kCases[] = { { 1066, 0 }, { 1399, 0 }, { 1400, 1 }, { 1453, 1 }, { 1799, 4 }, { 900, 0 } };
    for (const auto& c : kCases) {
        gpTimer->SetDate(CDate(0, 0, c.year));
        EXPECT_EQ(CSong::ChoosePlayList(), c.list) << c.year;
    }
}

TEST_F(Song, OverlongNamesAreCutAndOverlongPathsPlayNothing)
{
    WriteList(std::string(400, 'n') + "\n");
    CreateSongHandler();
    ASSERT_EQ(gpSongHandler->GetPlayListSize(0), 1);
    EXPECT_EQ(std::strlen(gpSongHandler->GetSong()), static_cast<std::size_t>(kSongNameSize - 1));
    EXPECT_EQ(player->MusicPlaying(), 0);

    std::snprintf(MusicPath, sizeof MusicPath, "%s", std::string(1020, 'm').c_str());
    CreateSongHandler();
    EXPECT_EQ(gpSongHandler->GetPlayListSize(0), 0);
    EXPECT_EQ(player->MusicPlaying(), 0);
}

} // namespace
