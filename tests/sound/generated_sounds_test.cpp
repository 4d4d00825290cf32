// The data generator's sounds through the game's players: every effect loads into its slot and differs
// from the others, and the play list names songs that play, the first one first.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "app/sound_effects.h"
#include "gfx/song.h"
#include "platform/settings/settings_file.h"
#include "platform/sound/simple_sound.h"
#include "sound/sound_scratch.h"

#include "support/generated_data.h"

#include "foundation/safeguards.h"

namespace {

TEST(GeneratedSounds, EveryEffectLoadsAndTheFirstSongPlays)
{
    const std::string out = sound_test::Folder() + "/generated";
    ASSERT_TRUE(support::GenerateData(out, "tiny", 3));
    sound_test::UseAudioDriver("dummy");
    nomusic = 0;
    CSimpleSound sound;
    ASSERT_TRUE(sound.HasDevice());
    std::set<std::string> contents;
    for (int n = 1; n <= kSoundEffectCount; ++n) {
        const std::string path = std::string("generated\\") + kSoundEffectFiles[n - 1];
        EXPECT_EQ(sound.AddSound(n, path.c_str(), Voices {}), 1) << path;
        EXPECT_TRUE(sound.IsLoaded(n)) << path;
        std::string relative = path;
        for (char& c : relative)
            c = c == '\\' ? '/' : c;
        contents.insert(sound_test::ReadAll(relative));
    }
    EXPECT_EQ(contents.size(), static_cast<std::size_t>(kSoundEffectCount))
        << "every effect sounds different";

    gpSound = &sound;
    std::snprintf(MusicPath, sizeof MusicPath, "%s", "generated/music");
    CSong::ResetFirstSong();
    CreateSongHandler();
    EXPECT_EQ(gpSongHandler->GetPlayListSize(0), 3);
    EXPECT_STREQ(gpSongHandler->GetSong(), "Vellmark Theme");
    EXPECT_EQ(sound.MusicPlaying(), 1);
    RemoveSongHandler();
    gpSound = nullptr;
    std::snprintf(MusicPath, sizeof MusicPath, "%s", "music");
}

} // namespace
