// The interface bitmaps and palettes of the data folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data_writer.h"

namespace datagen {

struct Rgb {
    std::uint8_t r, g, b;
};
using Colours = std::array<Rgb, 256>;

// A picture in memory, top row first: palette indices (8 bits) or colours (16 and 24 bits).
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> index;
    std::vector<Rgb> colour;
};

enum class Depth { Indexed, IndexedRle, High, True };

// A whole Windows bitmap file of the picture; indexed depths carry the table as their colours.
std::string BitmapFile(const Picture& p, Depth depth, const Colours* table);

// Writes "gfx\dummy.bmp", interface pictures of 8 (plain and run-length), 16 and 24 bits and the
// palettes under "gfx\palette\", drawn from the seed.
void WriteBitmaps(const Context& context);

// The five interface fonts under "gfx\\fonts\\", drawn from DejaVu, and their licence note.
void WriteFonts(const Context& context);

} // namespace datagen
