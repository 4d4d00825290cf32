// Test helper: hand-made bitmap files, written byte by byte into the scratch data folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "gfx/bitmap_bytes.h"
#include "gfx/video.h"
#include "support/data_folder.h"

namespace fixture {

// Writes a data file under the scratch folder; name uses slashes.
inline void WriteFile(const std::string& name, const std::string& bytes)
{
    const std::filesystem::path path = support::gDataFolder + "/" + name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A 16 by 16 picture of 16-bit pixels of one colour with a pure green (5-5-5, keyed) top-left quarter.
inline void WriteKeyedPicture(const std::string& name, std::uint16_t colour)
{
    Bmp bmp;
    bmp.width = 16;
    bmp.height = 16;
    bmp.bits = 16;
    bmp.table = false;
    for (int y = 15; y >= 0; --y)
        for (int x = 0; x < 16; ++x)
            Put16(bmp.pixels, x < 8 && y < 8 ? 0x03E0 : colour);
    WriteFile(name, Bytes(bmp));
}

// Reads from the scratch folder in the 565 format, which every test leaves as it found it.
class GfxFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDataPath();
        CVideo::_RGBFormat = 0;
    }
    void TearDown() override { CVideo::_RGBFormat = 0; }
};

} // namespace fixture
