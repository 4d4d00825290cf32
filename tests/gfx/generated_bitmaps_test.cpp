// The data generator's pictures and palettes read back through the game's readers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "foundation/data_file.h"
#include "gfx/bitmap_file.h"
#include "gfx/image_descriptor.h"
#include "gfx/palette.h"
#include "gfx/video_fixture.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

TEST(GeneratedBitmaps, EveryPictureAndPaletteLoads)
{
    ASSERT_TRUE(video_test::GenerateTinyData(5)) << "build the datagen target first";
    SetDataPath();
    video_test::ScopedHeadlessVideo video;

    // Depth (with 80 for run-length 8-bit) -> pictures of it.
    std::map<int, int> depths;
    for (const auto& entry : fs::recursive_directory_iterator(support::gDataFolder + "/gfx")) {
        if (entry.path().extension() != ".bmp" || entry.path().parent_path().filename() == "palette")
            continue;
        const std::string name = fs::relative(entry.path(), support::gDataFolder).string();
        SCOPED_TRACE(name);
        CFile file(name.c_str());
        BitmapInfoHeader info {};
        ASSERT_EQ(CBitmap::GetBitmapInfo(&file, &info), 1);
        ++depths[info.bitCount * (info.compression == 1 ? 10 : 1)];
        CImageNode image(name.c_str(), false);
        EXPECT_STREQ(image.GetName(), name.c_str());
        EXPECT_EQ(image.GetWidth(), info.width);
        EXPECT_EQ(image.GetHeight(), info.height);
    }
    EXPECT_GT(depths[8], 0);
    EXPECT_GT(depths[80], 0);
    EXPECT_GT(depths[16], 0);
    EXPECT_GT(depths[24], 0);

    for (const char* name : { "palette.act", "dialogue.act", "topblob.act", "tb.bmp", "tb2.bmp" }) {
        SCOPED_TRACE(name);
        // The generated palettes keep the game's fixed entries: transparent green and shadow black.
        CPalette* loaded = CPalette::FindPalette(name);
        EXPECT_EQ(loaded->_Colors[0][1], 255);
        EXPECT_EQ(loaded->_Colors[1][0] + loaded->_Colors[1][1] + loaded->_Colors[1][2], 0);
        EXPECT_EQ(loaded->_ColorMap[2], loaded->FindClosestColor(255, 255, 255));
    }
}

} // namespace
