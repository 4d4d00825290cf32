// The data folder generator's output side: a seeded generator and the file writer every table uses.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

enum class WorldSize { Tiny, Full };

// SplitMix64: small, fast and the same on every machine, so a seed always gives the same folder.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : state(seed)
    {
    }
    std::uint64_t Next();
    // A value in [lo, hi], both ends included.
    int Range(int lo, int hi);

private:
    std::uint64_t state;
};

struct Context {
    std::filesystem::path root;
    WorldSize size = WorldSize::Full;
    std::uint64_t seed = 1;

    // A fresh generator per file, derived from the seed and the file's name, so adding a file never
    // changes the bytes of another.
    Random RandomFor(std::string_view name) const;
};

// Writes one file of the data folder; `path` is the game's own spelling ("db\province.csv").
// Throws std::runtime_error when the file cannot be written.
void WriteDataFile(const Context& context, std::string_view path, std::string_view contents);

// A text made by the generator (a province's name), for one of the "config" tables.
struct GeneratedText {
    const char* file;
    std::string key, text;
};

// The fixed keys and the generated ones.
void WriteTextTables(const Context& context, const std::vector<GeneratedText>& generated);
// The sound effects under "sfx\\wave" and the music play list with its songs under "music".
void WriteSounds(const Context& context);

} // namespace datagen
