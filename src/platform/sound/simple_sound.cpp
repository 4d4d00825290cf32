// The sound player on SDL2_mixer: effects as chunks on channels numbered like their slots, the music
// as the mixer's one music stream.
#include "platform/sound/simple_sound.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/elements/logging.h"
#include "platform/elements/rv_assert.h"
#include "platform/settings/settings_file.h"

#include "foundation/safeguards.h"

using Ravel::Logging;
using Ravel::sourceFileBaseName;

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kWarning);

constexpr std::size_t kMaxPath = 1023;

// The game's relative path with slashes, or an empty text for a null or overlong path.
std::string DiskPath(const char* path)
{
    if (!path)
        return {};
    std::string converted(path, strnlen(path, kMaxPath + 1));
    if (converted.size() > kMaxPath) {
        gLog.warn("sound path longer than %zu characters refused", kMaxPath);
        return {};
    }
    std::replace(converted.begin(), converted.end(), '\\', '/');
    return converted;
}

bool Readable(const std::string& path)
{
    if (path.empty())
        return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

} // namespace

CSimpleSound::CSimpleSound()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        gLog.warn("no audio: %s; the game runs silent", SDL_GetError());
        return;
    }
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        gLog.warn("no audio device: %s; the game runs silent", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_AllocateChannels(NUM_BUFFERS_SOURCES);
    mOpen = true;
}

CSimpleSound::~CSimpleSound()
{
    for (int id = 0; id < NUM_BUFFERS_SOURCES; ++id) {
        if (mSounds[id]) {
            Mix_HaltChannel(id);
            Mix_FreeChunk(mSounds[id]);
            mSounds[id] = nullptr;
        }
    }
    StopMusic();
    if (mOpen) {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

int CSimpleSound::MixerVolume(int volume)
{
    if (volume >= 100)
        return MIX_MAX_VOLUME;
    if (volume <= 0)
        return 0;
    return volume * MIX_MAX_VOLUME / 100;
}

int CSimpleSound::AddSound(int id, const char* file, Voices)
{
    const std::string path = DiskPath(file);
    if (!ValidSlot(id)) {
        RV_assert_failed("handle < NUM_BUFFERS_SOURCES", __FILE__, __LINE__);
        return 0;
    }
    if (!Readable(path))
        return 0;
    if (mSounds[id]) {
        RV_assert_failed("!mSounds[handle]", __FILE__, __LINE__);
        Mix_HaltChannel(id);
        Mix_FreeChunk(mSounds[id]);
        mSounds[id] = nullptr;
    }
    mPlaying[id] = 0;
    if (!mOpen)
        return 1;
    mSounds[id] = Mix_LoadWAV(path.c_str());
    if (!mSounds[id])
        gLog.warn("%s: %s", path.c_str(), Mix_GetError());
    return 1;
}

void CSimpleSound::Play(int id, PlayType type, int, int)
{
    if (!ValidSlot(id)) {
        RV_assert_failed("id < NUM_BUFFERS_SOURCES", __FILE__, __LINE__);
        return;
    }
    if (type != _Once_)
        RV_assert_failed("type == _Once_", __FILE__, __LINE__);
    if (!mSounds[id]) {
        RV_assert_failed("mSounds[id]", __FILE__, __LINE__);
        return;
    }
    // Playing on a busy channel cuts what it played: the effect starts over.
    if (Mix_PlayChannel(id, mSounds[id], 0) == id)
        mPlaying[id] = 1;
}

void CSimpleSound::Stop(int id)
{
    if (!ValidSlot(id)) {
        RV_assert_failed("id < NUM_BUFFERS_SOURCES", __FILE__, __LINE__);
        return;
    }
    if (!mSounds[id]) {
        RV_assert_failed("mSounds[id]", __FILE__, __LINE__);
        return;
    }
    Mix_HaltChannel(id);
    mPlaying[id] = 0;
}

int CSimpleSound::IsPlaying(int id)
{
    if (!ValidSlot(id) || !mSounds[id] || !mPlaying[id])
        return 0;
    if (!Mix_Playing(id))
        mPlaying[id] = 0;
    return mPlaying[id];
}

void CSimpleSound::Volume(int id, int volume)
{
    if (ValidSlot(id) && mSounds[id])
        Mix_VolumeChunk(mSounds[id], MixerVolume(volume));
}

void CSimpleSound::Volume(int volume)
{
    for (int id = 0; id < NUM_BUFFERS_SOURCES; ++id)
        Volume(id, volume);
    CSound::Volume(128);
}

int CSimpleSound::MusicPlay(const char* path)
{
    if (nomusic)
        return 0;
    StopMusic();
    const std::string diskPath = DiskPath(path);
    if (!Readable(diskPath))
        return 0;
    if (!mOpen)
        return 1;
    mMusic = Mix_LoadMUS(diskPath.c_str());
    if (!mMusic) {
        gLog.warn("%s: %s", diskPath.c_str(), Mix_GetError());
        return 1;
    }
    if (Mix_PlayMusic(mMusic, 0) == 0)
        mMusicPlaying = 1;
    return 1;
}

int CSimpleSound::MusicPlaying()
{
    if (!mMusic || !mMusicPlaying)
        return 0;
    if (!Mix_PlayingMusic())
        mMusicPlaying = 0;
    return mMusicPlaying;
}

void CSimpleSound::MusicVolume(int volume)
{
    if (mMusic)
        Mix_VolumeMusic(MixerVolume(volume));
}

void CSimpleSound::StopMusic()
{
    if (!mMusic)
        return;
    Mix_HaltMusic();
    Mix_FreeMusic(mMusic);
    mMusic = nullptr;
    mMusicPlaying = 0;
}
