// The country-tag table "db\country.csv", the flag palettes its rows name and the names of its tags.
#pragma once

#include <string>
#include <vector>

#include "data_writer.h"
#include "world_map.h"

namespace datagen {

// The flag palettes rows choose from; each is written as "gfx\palette\flag_top_<name>.bmp" or
// "flag_bottom_<name>.bmp". The counties use "purple_regular" over "gold_regular", and
// "flag_top_green_regular.bmp" is the base of every flag.
inline constexpr const char* kFlagTops[]
    = { "green_regular", "purple_regular", "red_regular", "blue_regular" };
inline constexpr const char* kFlagBottoms[] = { "gold_regular", "silver_regular", "black_regular" };
// Palettes the registry loads besides the flags.
inline constexpr const char* kCountryPalettes[] = { "t-infantry c-min.bmp" };

// A row for every county of a land province (with its province's culture), every built-in realm and the
// rebels, closed by the "END" row.
void WriteCountryTable(const Context& context, const World& world);
// One key per tag of the table, with the realm's name.
std::vector<GeneratedText> CountryTexts(const World& world);

} // namespace datagen
