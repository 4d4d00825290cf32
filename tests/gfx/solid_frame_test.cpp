// Solid frames over the generated title font: the outline and the filled inside in the default colours,
// the title's gap in the top edge, given colours, and the keyed corners left transparent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gfx/bitmap_fixture.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/image_descriptor.h"
#include "gfx/solid_frame.h"
#include "gfx/video_fixture.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace {

class SolidFrame : public fixture::GfxFileTest {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(video_test::GenerateTinyData(3)) << "the data generator is built beside the tests";
    }
    void SetUp() override
    {
        GfxFileTest::SetUp();
        CImageBase::InitAlpha();
        gpFontDB = new CFontDB;
        ASSERT_EQ(LoadInterfaceFonts(), 1);
        font = gpFontDB->GetFont(kSolidFrameFontFile);
        ASSERT_NE(font, nullptr);
    }
    void TearDown() override
    {
        delete gpFontDB;
        gpFontDB = nullptr;
        SmallFont = BoldFont = LargeFont = Font20 = ExtraTinyFont = nullptr;
        GfxFileTest::TearDown();
    }
    static std::uint16_t At(CRZSolidFrame& frame, int x, int y)
    {
        return video_test::Pixel16(frame.GetImage(), x, y);
    }

    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CFont* font = nullptr;
};

TEST_F(SolidFrame, WithoutATitleEveryEdgeIsFrameAndTheInsideIsFilled)
{
    CRZSolidFrame frame(100, 40);
    const std::uint16_t edge = CVideo::TrueToHigh(116, 101, 94);
    const std::uint16_t inside = CVideo::TrueToHigh(168, 148, 137);
    ASSERT_EQ(frame.GetImage()->GetWidth(), 100);
    ASSERT_EQ(frame.GetImage()->GetHeight(), 40);
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(At(frame, x, 0), edge) << x;
        EXPECT_EQ(At(frame, x, 39), edge) << x;
    }
    for (int y = 0; y < 40; ++y) {
        EXPECT_EQ(At(frame, 0, y), edge) << y;
        EXPECT_EQ(At(frame, 99, y), edge) << y;
    }
    for (int y = 1; y < 39; ++y)
        for (int x = 1; x < 99; ++x)
            ASSERT_EQ(At(frame, x, y), inside) << x << "," << y;
    EXPECT_TRUE(frame.GetImage()->HasTransparency());
}

TEST_F(SolidFrame, ATitleSitsInAGapOfTheTopEdgeAtRowSix)
{
    const std::uint16_t edge = CVideo::TrueToHigh(116, 101, 94);
    CRZSolidFrame frame(100, 40, "Abc");
    const int length = font->Length("Abc");
    ASSERT_GT(length, 0);
    for (int x = 0; x <= 4; ++x)
        EXPECT_EQ(At(frame, x, 6), edge) << x;
    for (int x = length + 5; x < 100; ++x)
        EXPECT_EQ(At(frame, x, 6), edge) << x;
    // The gap holds the title's own pixels or the fill, never a stretch of the edge line.
    int edgeInGap = 0;
    for (int x = 5; x < length + 5; ++x)
        edgeInGap += At(frame, x, 6) == edge && At(frame, x, 7) != edge;
    EXPECT_LT(edgeInGap, length);
    // Above the top edge, outside the title, the image stays keyed.
    EXPECT_EQ(At(frame, 0, 2), CImageBase::Transparent16Bit);
    EXPECT_EQ(At(frame, 99, 2), CImageBase::Transparent16Bit);
    EXPECT_EQ(At(frame, 0, 20), edge);
    EXPECT_EQ(At(frame, 50, 20), CVideo::TrueToHigh(168, 148, 137));
}

TEST_F(SolidFrame, GivenColoursReplaceTheDefaults)
{
    const std::uint16_t edge = CVideo::TrueToHigh(192, 168, 0);
    const std::uint16_t inside = CVideo::TrueToHigh(10, 20, 30);
    CRZSolidFrame frame(30, 20, nullptr, edge, inside);
    EXPECT_EQ(At(frame, 0, 0), edge);
    EXPECT_EQ(At(frame, 29, 19), edge);
    EXPECT_EQ(At(frame, 15, 10), inside);
}

} // namespace
