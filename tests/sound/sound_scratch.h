// Test helper of the sound tests: a scratch data folder made the working directory, and sound files
// written into it with the data generator's encoders.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/data_file.h"
#include "sound_encoder.h"
#include "support/scratch.h"

namespace sound_test {

// The scratch data folder, made the working directory (the players read paths relative to it).
const std::string& Folder();

using support::ReadAll;

// Writes the file (a game path with backslashes) under the scratch folder; returns the game path.
inline std::string WriteFile(const std::string& gamePath, const std::string& bytes)
{
    std::string relative = gamePath;
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    const std::filesystem::path target = std::filesystem::path(Folder()) / relative;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary) << bytes;
    return gamePath;
}

// A WAV effect of the given length at a clearly audible level.
inline std::string WriteEffect(const std::string& gamePath, int milliseconds, double hz = 440.0)
{
    return WriteFile(gamePath, datagen::WaveFileBytes(datagen::ToneSamples(hz, milliseconds, 12000)));
}

// Selects SDL's audio driver for the next player made ("dummy", "disk", or one that does not exist).
inline void UseAudioDriver(const char* driver)
{
    setenv("SDL_AUDIODRIVER", driver, 1);
}

} // namespace sound_test
