// The generated world: a province label image of the whole map and the province facts drawn from it, the
// source of the map tables, the province and terrain tables and the province texts of the data folder.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "data_writer.h"

namespace datagen {

// Rows 1..1003 of the province table; 0 is the empty province.
inline constexpr int kWorldProvinces = 1004;

struct WorldPoint {
    int x = 0, y = 0;
};

struct WorldNeighbour {
    int number = 0;
    int kind = 0; // 1: across a river
};

struct WorldProvince {
    int terrain = 6; // RZTerrain
    int region = 0; // index into szRegion
    int area = 0; // index into szArea
    int port = 0; // sea zone of the port, 0 for none
    const char* culture = "none";
    float income = 0.0f;
    int duchy = 0, kingdom = 0; // country numbers, 0 for water
    WorldPoint castle, siege, harbour, works;
    int left = 0, top = 0, right = 0, bottom = 0; // bounding box, inclusive
    std::int64_t pixels = 0;
    std::string name;
    // Across land (and across rivers) first, then the river provinces, each part by number.
    std::vector<WorldNeighbour> neighbours;
};

struct World {
    int width = 0, height = 0;
    // One province number per pixel, row by row.
    std::vector<std::uint16_t> labels;
    std::array<WorldProvince, kWorldProvinces> provinces;
    std::vector<std::pair<int, int>> spreadNeighbours;

    std::uint16_t At(int x, int y) const
    {
        return labels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
            + static_cast<std::size_t>(x)];
    }
};

// The same world for the same seed and size: 9472 x 6016 pixels in full, an eighth of that in each
// direction for the tiny folder.
World GenerateWorld(const Context& context);

// "map\adjacent.tbl", "map\boundbox.tbl", "map\idgrid.tbl", "db\province.csv", "db\terrain.csv",
// "db\spreadneighbours.csv".
void WriteWorldFiles(const Context& context, const World& world);

// Texts of the world for the text tables: province names ("PROV%d"), area names.
std::vector<GeneratedText> WorldTexts(const World& world);

// A picture of the label image, one pixel per scale x scale block: land by terrain, water in blues, rivers
// bright, province borders dark. Throws std::runtime_error when the file cannot be written.
void WriteWorldPng(const World& world, const std::filesystem::path& file, int scale);

} // namespace datagen
