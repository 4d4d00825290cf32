// The sounds of the data folder: the 36 effects as short seeded tones, and the music play list with its
// three songs.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/sound_effects.h"
#include "data_writer.h"
#include "sound_encoder.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

// Every effect differs in pitch and length, so a wrong slot is heard (and seen in the samples).
void WriteEffects(const Context& context)
{
    for (const char* file : kSoundEffectFiles) {
        Random random = context.RandomFor(file);
        const double hz = 220.0 + random.Range(0, 880);
        const int milliseconds = random.Range(120, 400);
        WriteDataFile(context, file, WaveFileBytes(ToneSamples(hz, milliseconds, random.Range(6000, 12000))));
    }
}

void WriteMusic(const Context& context)
{
    static const char* const kSongs[] = { "Vellmark Theme", "Harvest", "March of Kings" };
    std::string list;
    for (const char* song : kSongs) {
        list += song;
        list += "\r\n";
        Random random = context.RandomFor(song);
        std::vector<double> notes;
        for (int i = 0; i < 8; ++i)
            notes.push_back(196.0 * std::pow(2.0, random.Range(0, 12) / 12.0));
        std::filesystem::path scratch = context.root / "music";
        std::filesystem::create_directories(scratch);
        scratch /= "encoding.tmp";
        std::string error;
        if (!EncodeSong(scratch.string(), notes, 400, &error))
            throw std::runtime_error(std::string("cannot encode ") + song + ": " + error);
        std::ifstream in(scratch, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        in.close();
        std::filesystem::remove(scratch);
        WriteDataFile(context, std::string("music\\") + song + ".mp3", bytes.str());
    }
    WriteDataFile(context, "music\\music.txt", list);
    // Start-up takes the music folder from the second line, after its first five characters.
    WriteDataFile(context, "music.ini", "[music]\r\nPATH=music\r\n");
}

} // namespace

void WriteSounds(const Context& context)
{
    WriteEffects(context);
    WriteMusic(context);
}

} // namespace datagen
