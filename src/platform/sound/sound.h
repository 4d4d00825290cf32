// CSound: the game's sound interface, numbered effects played by slot; the platform's player implements
// it. The choices among several effects come from this layer's own generator, never the game's.
#pragma once

#include <cstdint>

// How a sound is played; the player plays every sound once.
enum PlayType : std::int32_t {
    _Once_ = 0,
};

// How many voices a loaded sound may use at once; the player takes one channel per slot whatever is asked.
enum Voices : std::int32_t {};

class CSound {
public:
    CSound() = default;
    virtual ~CSound() = default;
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Loads the file (a game path, backslashes allowed) into the slot: 1 when the file could be read,
    // 0 when it is missing. A slot already loaded is replaced.
    virtual int AddSound(int id, const char* file, Voices voices) = 0;
    virtual void RemoveSound(int id) = 0;
    // Plays the slot once at the default volume, centred.
    virtual void Play(int id);
    // Plays one of the slots, taken in argument order by this layer's generator.
    virtual void Play(int a, int b);
    virtual void Play(int a, int b, int c);
    virtual void Play(int a, int b, int c, int d);
    virtual void Play(int a, int b, int c, int d, int e);
    // volume 0..100, pan 0..255 (128 centred).
    virtual void Play(int id, PlayType type, int volume, int pan) = 0;
    virtual void Stop(int id) = 0;
    virtual void Pause(int id) = 0;
    virtual void Resume(int id) = 0;
    virtual void Pitch(int id, int pitch) = 0;
    virtual void Pan(int id, int pan) = 0;
    // volume 0..100 as the settings' sliders give it.
    virtual void Volume(int id, int volume) = 0;
    // Sets the default volume that Play(id) passes on.
    virtual void Volume(int volume);
    virtual int IsPlaying(int id) = 0;

    int GetDefaultVolume() const { return mDefaultVolume; }

    // A number in 0..count-1 from the sound layer's own generator (what only the speakers hear); 0 for
    // a count below 1.
    static int Choose(int count);

protected:
    std::int32_t mDefaultVolume = 10000;
};

// The game's one sound object, made at start-up; null before and after, and in tests that need none.
extern CSound* gpSound;
