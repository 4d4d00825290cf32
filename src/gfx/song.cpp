// The song handler: the play lists, the choice of the next song and its hand-over to the sound player.
#include "gfx/song.h"

#include <cstdio>
#include <cstring>

#include "events/event_routing.h"
#include "events/game_clock.h"
#include "foundation/data_file.h"
#include "foundation/utilities.h"
#include "platform/settings/settings_file.h"
#include "platform/sound/simple_sound.h"

#include "foundation/safeguards.h"

char MusicPath[1024] = "music";
CSongHooks gSongHooks;
CSong* gpSongHandler = nullptr;

namespace {

constexpr const char* kPlayListFile = "music.txt";

bool gFirstSong = true;

CSimpleSound* MusicPlayer()
{
    return dynamic_cast<CSimpleSound*>(gpSound);
}

} // namespace

CSong::CSong()
{
    char path[1024];
    const int n = std::snprintf(path, sizeof path, "%s/%s", MusicPath, kPlayListFile);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof path) {
        for (int list = 0; list < kPlayListCount; ++list)
            LoadPlayList(list, path);
    } else {
        std::fprintf(stderr, "The music folder's name is too long; no music plays\n");
    }
    SwitchSong();
}

CSong::~CSong()
{
    for (CList<char*>& list : mPlayList)
        DeleteAllArrayed(list);
}

int CSong::LoadPlayList(int list, const char* file)
{
    if (list < 0 || list >= kPlayListCount || !file)
        return 0;
    CFile in(file);
    if (in.ErrorFlag())
        return 0;
    int added = 0;
    char line[kSongNameSize];
    // Every line takes at least one byte, so the file's size bounds the lines.
    for (int lines = 0; lines <= in.GetSize(); ++lines) {
        in.ReadLine(line, sizeof line);
        const std::size_t length = std::strlen(line);
        if (length > 2) {
            char* name = new char[length + 1];
            std::memcpy(name, line, length + 1);
            mPlayList[list].Append(name);
            ++added;
        }
        if (in.IsEof() || in.ErrorFlag())
            break;
    }
    return added;
}

int CSong::GetPlayListSize(int list) const
{
    return list >= 0 && list < kPlayListCount ? mPlayList[list].GetSize() : 0;
}

int CSong::ChoosePlayList()
{
    if (!IsInGame() || !gpTimer)
        return 0;
    const int list = gpTimer->GetDate().year / 100 - 13;
    return list < 0 ? 0 : list >= kPlayListCount ? kPlayListCount - 1 : list;
}

void CSong::ResetFirstSong()
{
    gFirstSong = true;
}

void CSong::SwitchSong()
{
    if (nomusic)
        return;
    const CList<char*>& list = mPlayList[ChoosePlayList()];
    if (list.IsEmpty())
        return;
    int pick = gFirstSong ? 0 : CSound::Choose(list.GetSize());
    auto it = list.GetHead();
    while (pick-- > 0)
        it++;
    CopyString(mSong, *it);
    char path[1024];
    const int n = std::snprintf(path, sizeof path, "%s/%s.mp3", MusicPath, mSong);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof path) {
        std::fprintf(stderr, "The path of the song %s is too long; it is not played\n", mSong);
        return;
    }
    gFirstSong = false;
    if (CSimpleSound* player = MusicPlayer()) {
        player->MusicPlay(path);
        player->MusicVolume(gSongHooks.GetMusicVolume ? gSongHooks.GetMusicVolume() : 100);
    }
}

void CSong::Update()
{
    CSimpleSound* player = MusicPlayer();
    if (!player)
        return;
    player->MusicUpdate();
    if (!player->MusicPlaying())
        SwitchSong();
}

void CSong::Volume(int volume)
{
    if (CSimpleSound* player = MusicPlayer())
        player->MusicVolume(volume);
}

void CreateSongHandler()
{
    RemoveSongHandler();
    gpSongHandler = new CSong();
}

void RemoveSongHandler()
{
    delete gpSongHandler;
    gpSongHandler = nullptr;
}
