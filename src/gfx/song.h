// CSong, the music's song handler (gpSongHandler): five play lists read from "music.txt" in the music
// folder, a song picked by the game's century, and the next one started when the last has ended.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"

inline constexpr int kPlayListCount = 5;
inline constexpr int kSongNameSize = 256;

// The music folder, "music" unless "music.ini" names another; song paths are "<MusicPath>/<song>.mp3".
extern char MusicPath[1024];

// What the song handler reads of the game's settings; null reads as full volume.
struct CSongHooks {
    // The settings' music volume, 0..100.
    int (*GetMusicVolume)() = nullptr;
};
extern CSongHooks gSongHooks;

class CSong {
public:
    // Reads every play list from "music.txt" in the music folder, then starts a song.
    CSong();
    ~CSong();
    CSong(const CSong&) = delete;
    CSong& operator=(const CSong&) = delete;

    // Appends every line of the file longer than 2 characters (cut to 255) as a song name. Answers the
    // number of songs added; a missing file adds none. list outside 0..4 reads nothing.
    int LoadPlayList(int list, const char* file);
    // Starts a song of the play list that the date chooses, unless music is off or the list is empty.
    // The first song of the program is always the first of its list.
    void SwitchSong();
    // Once a frame: the next song when none plays.
    void Update();
    void Volume(int volume);

    // The song last started, empty before any.
    const char* GetSong() const { return mSong; }
    int GetPlayListSize(int list) const;
    // (year / 100) - 13 clamped to 0..4 in a running game with a clock; 0 otherwise (the front end).
    static int ChoosePlayList();
    // The next song is again taken as the program's first (tests start over with it).
    static void ResetFirstSong();

private:
    char mSong[kSongNameSize] = {};
    CList<char*> mPlayList[kPlayListCount];
};

// The game's song handler; null when none was made.
extern CSong* gpSongHandler;
// Destroys the song handler there is and makes a new one.
void CreateSongHandler();
void RemoveSongHandler();
