// Palettes: .bmp and .act files, the red-blue exchange, the nearest-colour map, the 16-bit tables in both
// pixel formats, sharing by name and the failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/data_file.h"
#include "foundation/fatal_error.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/palette.h"
#include "gfx/video.h"

#include "foundation/safeguards.h"

namespace {

// 256 red, green, blue triples: index i is (i, i, i) unless set below.
std::string Act(std::initializer_list<std::pair<int, std::array<std::uint8_t, 3>>> set = {})
{
    std::string s;
    for (int i = 0; i < 256; ++i)
        s += { char(i), char(i), char(i) };
    for (const auto& [index, rgb] : set)
        for (int c = 0; c < 3; ++c)
            s[index * 3 + c] = static_cast<char>(rgb[c]);
    return s;
}

using PaletteTest = fixture::GfxFileTest;

TEST_F(PaletteTest, BmpColourTablesAreExchangedToRedGreenBlue)
{
    fixture::WriteFile(
        "gfx/palette/tb.bmp", fixture::Bytes(fixture::Bmp { 1, 1, 8, 0, 40, 0, 0, true, "abcd" }));
    CPalette* palette = CPalette::FindPalette("tb.bmp");
    ASSERT_NE(palette, nullptr);
    EXPECT_STREQ(palette->GetName(), "tb.bmp");
    for (int i : { 0, 1, 100, 255 }) {
        EXPECT_EQ(palette->_Colors[i][0], i / 2); // red was stored third
        EXPECT_EQ(palette->_Colors[i][1], 255 - i);
        EXPECT_EQ(palette->_Colors[i][2], i);
    }
    EXPECT_EQ(palette->_Normal16[100], CVideo::TrueToHigh(50, 155, 100) * 0x10001u);
}

TEST_F(PaletteTest, SharedByNameIgnoringCaseAndLoadedOnce)
{
    fixture::WriteFile("gfx/palette/shared.act", Act());
    CPalette* first = CPalette::FindPalette("shared.act");
    std::filesystem::remove(support::gDataFolder + "/gfx/palette/shared.act");
    EXPECT_EQ(CPalette::FindPalette("shared.act"), first);
    EXPECT_EQ(CPalette::FindPalette("SHARED.Act"), first);
    EXPECT_EQ(first->_Colors[200][1], 200);
    EXPECT_EQ(CPalette::_DB.Get("Shared.ACT"), first);
}

TEST_F(PaletteTest, ColourMapTakesTheFirstNearestIndexAndNeverIndexZero)
{
    // Index 0 is pure green, which must not win "green"; 7 and 9 are both pure black.
    fixture::WriteFile("gfx/palette/map.act",
        Act({ { 0, { 0, 255, 0 } }, { 7, { 0, 0, 0 } }, { 9, { 0, 0, 0 } }, { 20, { 250, 0, 0 } },
            { 30, { 0, 240, 0 } }, { 40, { 0, 0, 255 } } }));
    CPalette* palette = CPalette::FindPalette("map.act");
    EXPECT_EQ(palette->_ColorMap[0], 0);
    EXPECT_EQ(palette->_ColorMap[1], 7); // 7 and 9 are exact, 1 is (1, 1, 1)
    EXPECT_EQ(palette->_ColorMap[2], 255);
    EXPECT_EQ(palette->_ColorMap[3], 20);
    EXPECT_EQ(palette->_ColorMap[4], 30);
    EXPECT_EQ(palette->_ColorMap[5], 40);
    EXPECT_EQ(palette->FindClosestColor(0, 255, 0), 30);
    EXPECT_EQ(palette->FindClosestColor(3, 3, 3), 3);
}

TEST_F(PaletteTest, SixteenBitTablesInBothFormats)
{
    fixture::WriteFile("gfx/palette/tables.act", Act({ { 2, { 255, 255, 255 } }, { 3, { 200, 100, 50 } } }));
    CPalette* palette = CPalette::FindPalette("tables.act");
    // 565: white is the ceiling for the brighter tables and 0x7BEF at half.
    EXPECT_EQ(palette->_Normal16[2], 0xFFFFFFFFu);
    EXPECT_EQ(palette->_Bright16[2], palette->_Normal16[2]);
    EXPECT_EQ(palette->_Light16[2], palette->_Normal16[2]);
    EXPECT_EQ(palette->_Half16[2], 0x7BEF7BEFu);
    // Products in single precision, cut toward zero: 200 × 0.66 = 132, 100 × 1.5 = 150, 50 × 1.25 = 62.
    EXPECT_EQ(palette->_Dark16[3], CVideo::TrueToHigh(132, 66, 33) * 0x10001u);
    EXPECT_EQ(palette->_Bright16[3], CVideo::TrueToHigh(255, 150, 75) * 0x10001u);
    EXPECT_EQ(palette->_Light16[3], CVideo::TrueToHigh(250, 125, 62) * 0x10001u);
    EXPECT_EQ(palette->GetTable(0), palette->_Normal16);
    EXPECT_EQ(palette->GetTable(1), palette->_Half16);
    EXPECT_EQ(palette->GetTable(2), palette->_Bright16);

    CVideo::_RGBFormat = 1;
    CPalette::RecalcPalettes();
    EXPECT_EQ(palette->_Normal16[2], 0x7FFF7FFFu);
    EXPECT_EQ(palette->_Normal16[3], ((200u >> 3) << 10 | (100u >> 3) << 5 | 50u >> 3) * 0x10001u);
    EXPECT_EQ(palette->_Half16[2], CVideo::TrueToHigh(127, 127, 127) * 0x10001u);
}

TEST_F(PaletteTest, FailuresAreReportedAndTheGameKeepsAPalette)
{
    // A missing .bmp palette stops the loading and is not registered.
    try {
        CPalette::FindPalette("missing.bmp");
        ADD_FAILURE() << "no fatal assertion";
    } catch (int) {
        EXPECT_STREQ(GetAssertMessage(), "Palette 'gfx\\palette\\missing.bmp' not found!");
    }
    EXPECT_EQ(CPalette::_DB.Get("missing.bmp"), nullptr);

    // Missing or short .act files, other extensions and names outside the folder give black palettes
    // that are registered all the same; Load answers 0 for each.
    fixture::WriteFile("gfx/palette/short.act", Act().substr(0, 700));
    fixture::WriteFile("palette.act", Act());
    for (const char* name : { "missing.act", "short.act", "colours.pal", "..\\..\\palette.act", "x" }) {
        SCOPED_TRACE(name);
        CPalette* palette = CPalette::FindPalette(name);
        ASSERT_NE(palette, nullptr);
        EXPECT_EQ(CPalette::_DB.Get(name), palette);
        EXPECT_EQ(palette->_Colors[128][0], 0);
        EXPECT_EQ(palette->_Normal16[128], 0u);
        CPalette probe;
        EXPECT_EQ(probe.Load(name), 0);
    }
    EXPECT_EQ(CPalette::FindPalette(""), CPalette::FindPalette(nullptr));
}

} // namespace
