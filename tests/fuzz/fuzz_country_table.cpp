// libFuzzer target over the country-tag registry's reading of "db\country.csv": any table must build the
// registry or be refused with every record as it was, never a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "../gfx/bitmap_bytes.h"
#include "realms/country_db.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace {

// The flag palettes the seeds name, the base flag and the troop palette the registry loads.
void WritePalettes()
{
    const std::filesystem::path folder = std::filesystem::path(support::gDataFolder) / "gfx" / "palette";
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(std::filesystem::path(support::gDataFolder) / "db");
    fixture::Bmp bitmap;
    bitmap.pixels = std::string(4, '\0');
    const std::string bytes = fixture::Bytes(bitmap);
    for (const char* name :
        { "flag_top_green_regular.bmp", "flag_top_purple_regular.bmp", "flag_top_red_regular.bmp",
            "flag_bottom_gold_regular.bmp", "flag_bottom_black_regular.bmp", "t-infantry c-min.bmp" })
        std::ofstream(folder / name, std::ios::binary) << bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // libFuzzer names its inputs relative to where it started, and the game reads relative to the data
    // folder: the working directory is the data folder only while the registry reads.
    static const std::filesystem::path start = [] {
        WritePalettes();
        return std::filesystem::current_path();
    }();
    {
        std::ofstream table(support::gDataFolder + "/db/country.csv", std::ios::binary | std::ios::trunc);
        table.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!table)
            return 0;
    }
    std::filesystem::current_path(support::gDataFolder);
    const bool built = CCountryDB::Init();
    std::filesystem::current_path(start);
    if (!built) {
        // Refused: nothing of the table may stay behind.
        if (std::strcmp(DBCountries[1000].tag, "----") != 0 || DBCountries[17].number != 0)
            std::abort();
    } else if (CCountryDB::TagToID("REBE") != 1422 || std::strcmp(CCountryDB::IDToTag(17), "C017") != 0) {
        std::abort();
    }
    return 0;
}
