// Feeds arbitrary bytes to the music play list reader as "music.txt": every line is read or cut, no
// song name passes its buffer, and reading always ends.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "fuzz_input_file.h"
#include "gfx/song.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* path = WriteFuzzInput("play_list", data, size);
    if (!path)
        return 0;
    // No music folder: the handler starts with empty lists and no sound object to play through.
    std::snprintf(MusicPath, sizeof MusicPath, "%s", "/nonexistent-music-folder");
    CSong song;
    const int added = song.LoadPlayList(0, path);
    if (added != song.GetPlayListSize(0) || added > static_cast<int>(size))
        __builtin_trap();
    song.SwitchSong();
    if (std::strlen(song.GetSong()) >= static_cast<std::size_t>(kSongNameSize))
        __builtin_trap();
    return 0;
}
