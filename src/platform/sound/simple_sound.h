// CSimpleSound: the game's sound effects and music on SDL2_mixer, one mixer channel per effect slot.
// Without an audio device every call fails softly and the game runs silent.
#pragma once

#include <SDL_mixer.h>
#include <cstdint>

#include "platform/sound/sound.h"

inline constexpr int NUM_BUFFERS_SOURCES = 128;

class CSimpleSound : public CSound {
public:
    // Opens the audio device; when none opens the object stays silent (HasDevice is false).
    CSimpleSound();
    // Frees every sound, stops the music and closes the device.
    ~CSimpleSound() override;

    using CSound::Play;
    using CSound::Volume;

    // A slot outside 0..127 is refused (0) without touching any slot. The file is read relative to the
    // working directory; a missing one answers 0 and leaves the slot as it was. A file that exists but
    // cannot be decoded (or no device) answers 1 and leaves the slot empty.
    int AddSound(int id, const char* file, Voices voices) override;
    void RemoveSound(int) override { }
    // Restarts the slot from its beginning on its own channel; volume and pan are not used.
    void Play(int id, PlayType type, int volume, int pan) override;
    void Stop(int id) override;
    void Pause(int) override { }
    void Resume(int) override { }
    void Pitch(int, int) override { }
    void Pan(int, int) override { }
    void Volume(int id, int volume) override;
    // Every loaded slot, then the default volume becomes 128.
    void Volume(int volume) override;
    // 1 while the slot's last Play is still heard; 0 for an empty or unknown slot.
    int IsPlaying(int id) override;

    // Stops the music first. 0 when music is off (nomusic) or the file is missing; 1 otherwise, also
    // when it cannot be decoded. The path is a game path of at most 1023 characters.
    int MusicPlay(const char* path);
    int MusicPlaying();
    void MusicVolume(int volume);
    // Called between long loading steps and every frame; the mixer plays on its own thread, so there is
    // nothing to hand time to.
    void MusicUpdate() { }
    void StopMusic();

    bool HasDevice() const { return mOpen; }
    bool IsLoaded(int id) const { return ValidSlot(id) && mSounds[id] != nullptr; }

    // The mixer's volume 0..128 for a game volume 0..100: linear, 100 and above full, below 0 silent.
    static int MixerVolume(int volume);

private:
    static bool ValidSlot(int id) { return id >= 0 && id < NUM_BUFFERS_SOURCES; }

    Mix_Chunk* mSounds[NUM_BUFFERS_SOURCES] = {};
    std::int32_t mPlaying[NUM_BUFFERS_SOURCES] = {};
    Mix_Music* mMusic = nullptr;
    std::int32_t mMusicPlaying = 0;
    bool mOpen = false;
};
