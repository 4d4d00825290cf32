// Bitmap fonts made from the generated font pictures: glyph cells, colour codes as exact pixels, clipping,
// the coin sprite, measuring and line breaking, and codes cut off by the end of the text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video.h"
#include "gfx/video_fixture.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

class FontTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(video_test::GenerateTinyData(3)) << "the data generator is built beside the tests";
    }
    void SetUp() override
    {
        CImageBase::InitAlpha();
        CVideo::_RGBFormat = 1;
        gpFontDB = new CFontDB;
        ASSERT_EQ(LoadInterfaceFonts(), 1);
    }
    void TearDown() override
    {
        delete gpFontDB;
        gpFontDB = nullptr;
        SmallFont = BoldFont = LargeFont = Font20 = ExtraTinyFont = nullptr;
        CVideo::_RGBFormat = 0;
    }
    std::uint16_t At(int x, int y) { return video_test::Pixel16(&target, x, y); }
    // The pixels of the column span [from, to) that hold the colour.
    int Count(int from, int to, std::uint16_t colour)
    {
        int n = 0;
        for (int y = 0; y < target.GetHeight(); ++y)
            for (int x = from; x < to; ++x)
                n += At(x, y) == colour;
        return n;
    }
    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage target { 200, 40, 16, IMAGE_SYSTEM };
};

TEST_F(FontTest, FontsRegisterWithTheirCells)
{
    EXPECT_EQ(gpFontDB->GetFont("GFX\\FONTS\\PROFORMA12.BMP"), SmallFont);
    EXPECT_EQ(SmallFont->GetLineHeight(), 14);
    EXPECT_EQ(LargeFont->GetLineHeight(), 30);
    EXPECT_EQ(ExtraTinyFont->GetLineHeight(), 8);
    for (int c : { int('A'), int('z'), int('!'), 0xE9, 255 }) {
        ASSERT_NE(SmallFont->GetGlyph(c), nullptr) << int(c);
        EXPECT_GT(SmallFont->GetGlyph(c)->width, 1) << int(c);
        EXPECT_LE(SmallFont->GetGlyph(c)->width, SmallFont->GetGlyphWidth());
    }
    EXPECT_EQ(SmallFont->GetGlyph(' ')->width, SmallFont->GetGlyphWidth() / 6);
    EXPECT_EQ(SmallFont->GetGlyph(0x81)->width, 1)
        << "a byte Windows-1252 leaves undefined has an empty cell";
    EXPECT_EQ(SmallFont->Length(""), 0);
    EXPECT_EQ(SmallFont->Length(nullptr), 0);
    CFont missing;
    EXPECT_EQ(missing.Init("gfx\\fonts\\none.bmp", 14, nullptr), 0);
    EXPECT_EQ(gpFontDB->GetFont("gfx\\fonts\\none.bmp"), nullptr);
}

TEST_F(FontTest, ColourCodesGiveExactPixels)
{
    const std::uint16_t white = CVideo::TrueToHigh(255, 255, 255);
    const std::uint16_t gold = CVideo::TrueToHigh(240, 220, 176);
    const int a = SmallFont->GetGlyph('A')->width, b = SmallFont->GetGlyph('B')->width;
    const int end = SmallFont->Print("A\xa7YB\xa7\xa7"
                                     "C",
        0, 0, &target, white);
    EXPECT_EQ(end, a + b + SmallFont->GetGlyph('C')->width);
    EXPECT_GT(Count(0, a, white), 10);
    EXPECT_EQ(Count(a, a + b, white), 0);
    EXPECT_GT(Count(a, a + b, gold), 10);
    EXPECT_GT(Count(a + b, end, white), 5);
    EXPECT_EQ(Count(0, 200, gold) + Count(0, 200, white) + Count(0, 200, 0), 200 * 40) << "no grey";

    struct Case {
        const char* text;
        std::uint16_t colour;
    } cases[] = {
        { "%700", CVideo::TrueToHigh(0, 0, 224) },
        { "%007", CVideo::TrueToHigh(224, 0, 0) },
        { "%9x0", CVideo::TrueToHigh(0, 255, 255) }, // out of range digits are clamped
        { "%70", white }, // cut off by the end: nothing changes
        { "\xa7W\xa7", CVideo::TrueToHigh(255, 255, 255) },
        { "\xa7"
          "B",
            0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(SmallFont->GetLastColor(c.text, white), c.colour) << c.text;
}

TEST_F(FontTest, ClippingCodesAndMeasuring)
{
    const int w = SmallFont->GetGlyph('W')->width;
    CRect clip(0, 0, w + 2, 40);
    const int end = SmallFont->Print("WW", 0, 0, &target, 0x7FFF, &clip);
    EXPECT_EQ(end, 2 * w) << "the glyph crossing the clip still advances";
    EXPECT_EQ(Count(w, 200, 0x7FFF), 0);
    EXPECT_GT(Count(0, w, 0x7FFF), 0);

    // Codes never step past the end of the text.
    for (const char* text : { "%", "% ", "%1", "\xa7", "\xa7q", "\\", "x\\n", "\xa7Y" }) {
        SmallFont->PrintDrop(text, 190, 30, &target, 0x7FFF);
        SmallFont->Length(text);
        SmallFont->GetLineBreaks(text, 20);
    }
    const int pct = SmallFont->GetGlyph('%')->width;
    EXPECT_EQ(SmallFont->Print("% ", 0, 20, &target, 0x7FFF), pct);
    EXPECT_EQ(SmallFont->Length("a\\nb\r\n"), SmallFont->Length("ab"));
    EXPECT_EQ(SmallFont->Length("\xa0"), SmallFont->Length(" "));
    EXPECT_EQ(SmallFont->PrintRight("ab", 100, 0, &target, 1), 100);
    EXPECT_EQ(SmallFont->PrintCenter("ab", 100, 0, &target, 1),
        100 - SmallFont->Length("ab") / 2 + SmallFont->Length("ab"));
}

TEST_F(FontTest, TheCoinDrawsForTheDollarSign)
{
    ASSERT_NE(SmallFont->GetGlyph('$'), nullptr);
    EXPECT_EQ(SmallFont->GetGlyph('$')->width, 12);
    const int end = SmallFont->Print("$1", 0, 0, &target, 0x7FFF);
    EXPECT_EQ(end, 12 + SmallFont->GetGlyph('1')->width);
    int coin = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            coin += At(x, y) != 0 && At(x, y) != 0x7FFF;
    EXPECT_GT(coin, 20) << "the coin's own colours";
    EXPECT_GT(Count(12, end, 0x7FFF), 0);
}

TEST_F(FontTest, LineBreaks)
{
    const int space = SmallFont->GetGlyph(' ')->width;
    const int word = SmallFont->Length("word");
    EXPECT_EQ(SmallFont->GetLineBreaks("word word", 2 * word + space), 1);
    EXPECT_EQ(SmallFont->GetLineBreaks("word word", 2 * word + space - 1), 2);
    EXPECT_EQ(SmallFont->GetLineBreaks("a\\nb\rc\nd", 500), 4);
    EXPECT_EQ(SmallFont->GetLineBreaks("wordwordword", word), 3) << "a word wider than the line is cut";
    const std::string longWord(600, 'i');
    EXPECT_GE(SmallFont->GetLineBreaks(longWord.c_str(), 100000), 3) << "words are cut at 255 characters";
}

} // namespace
