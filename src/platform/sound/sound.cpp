// The sound interface's own operations: the random choice among effects and the default volume.
#include "platform/sound/sound.h"

#include "foundation/safeguards.h"

CSound* gpSound = nullptr;

namespace {

// SplitMix64 with a fixed start: which of two footsteps plays never reaches game state, so the
// game's seeded generators stay untouched by how often sounds play.
std::uint64_t gChoiceState = 0x5eed50d5ULL;

std::uint64_t NextChoice()
{
    std::uint64_t z = (gChoiceState += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

} // namespace

int CSound::Choose(int count)
{
    if (count < 1)
        return 0;
    return static_cast<int>(NextChoice() % static_cast<std::uint64_t>(count));
}

void CSound::Play(int id)
{
    Play(id, _Once_, mDefaultVolume, 128);
}

void CSound::Play(int a, int b)
{
    const int ids[] = { a, b };
    Play(ids[Choose(2)]);
}

void CSound::Play(int a, int b, int c)
{
    const int ids[] = { a, b, c };
    Play(ids[Choose(3)]);
}

void CSound::Play(int a, int b, int c, int d)
{
    const int ids[] = { a, b, c, d };
    Play(ids[Choose(4)]);
}

void CSound::Play(int a, int b, int c, int d, int e)
{
    const int ids[] = { a, b, c, d, e };
    Play(ids[Choose(5)]);
}

void CSound::Volume(int volume)
{
    mDefaultVolume = volume;
}
