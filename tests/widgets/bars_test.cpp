// The score bar, the status bars and the loading bar, read back pixel by pixel: fills, borders, the
// least and greatest lengths, writes that must stay inside their image or their row, and the loading
// bar's row and restored band on each back-buffer size.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/image.h"
#include "gfx/palette.h"
#include "widgets/generated_interface.h"
#include "widgets/loading_bar.h"
#include "widgets/score_bar.h"
#include "widgets/state_selection.h"
#include "widgets/status_bar.h"

#include "foundation/safeguards.h"

namespace {

using video_test::Pixel16;
using video_test::Pixel8;

constexpr std::uint16_t kGround = 0x1234;

class Bars : public widgets_test::GeneratedInterface {
protected:
    void SetUp() override
    {
        widgets_test::GeneratedInterface::SetUp();
        CRZStatusBar::_pPalette = nullptr;
        CRZStatusBar::InitColors();
    }
    void TearDown() override
    {
        CRZStatusBar::_pPalette = nullptr;
        widgets_test::GeneratedInterface::TearDown();
    }
};

// Every pixel of the image that is not the ground colour, as (x, y) pairs.
std::vector<CPoint> Touched(CImage& image)
{
    std::vector<CPoint> touched;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (Pixel16(&image, x, y) != kGround)
                touched.emplace_back(x, y);
    return touched;
}

TEST_F(Bars, AUnitStatusBarFillsItsShareBetweenTheMarginsAndLeavesTheEdgeRowsAlone)
{
    CRZUnitStatusBar bar(nullptr);
    CImage* image = bar.GetImage();
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->GetWidth(), 44);
    ASSERT_EQ(image->GetHeight(), 7);
    const std::uint8_t black = CRZStatusBar::_pPalette->FindClosestColor(0, 0, 0);
    const std::uint8_t colour = CRZStatusBar::DefaultColorIndex[STATUSBAR_ORANGE];
    // 0 % still shows 2 pixels, 150 % the whole width less 4.
    const struct {
        int percent;
        int filled;
    } kCases[] = { { 50, 20 }, { 0, 2 }, { -20, 2 }, { 100, 40 }, { 150, 40 }, { 51, 20 } };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.percent);
        bar.ReDraw(c.percent, STATUSBAR_ORANGE);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 44; ++x) {
                std::uint8_t expected = black;
                if (y >= 2 && y <= 4 && x >= 2 && x < 42)
                    expected = x < 2 + c.filled ? colour : kStatusBarBackground;
                ASSERT_EQ(Pixel8(image, x, y), expected) << x << ", " << y;
            }
    }
    EXPECT_TRUE(bar.IsUnitStatusBar());
}

TEST_F(Bars, AStatusBarRowNeverSpillsPastItsMarginsIntoTheNextRow)
{
    // Margins of 9 on a bar 20 wide leave a span of 2, and margins of 10 none; the least fill of 2 and
    // a full bar of 16 both stay inside the span.
    for (int margin : { 9, 10, 12 }) {
        SCOPED_TRACE(margin);
        CRZStatusBar bar(20, 24, margin);
        CImage* image = bar.GetImage();
        const std::uint8_t black = Pixel8(image, 0, 0);
        bar.DrawBar(100, 7);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = y >= margin && y < 24 - margin && x >= margin && x < 20 - margin;
                ASSERT_EQ(Pixel8(image, x, y), inside ? 7 : black) << x << ", " << y;
            }
    }
}

TEST_F(Bars, StandardAndRealmColoursMapToTheClosestPaletteEntries)
{
    gStatusBarHooks.GetCountryColor = [](int country) { return country == 3 ? 0xFF000000u : 0u; };
    CRZStatusBar::InitColors();
    const CPalette* palette = CRZStatusBar::_pPalette;
    EXPECT_EQ(CRZStatusBar::DefaultColorIndex[STATUSBAR_GREEN], palette->FindClosestColor(0, 255, 0));
    EXPECT_EQ(CRZStatusBar::DefaultColorIndex[STATUSBAR_RED], palette->FindClosestColor(255, 0, 0));
    EXPECT_EQ(CRZStatusBar::CountryColorIndex[3], palette->FindClosestColor(255, 0, 0));
    EXPECT_EQ(CRZStatusBar::CountryColorIndex[4], palette->FindClosestColor(0, 0, 0));
    gStatusBarHooks = CStatusBarHooks();
}

TEST_F(Bars, AScoreBarFillsItsShareFromColumnZeroOverRowsYToYPlusHeight)
{
    screen.Fill16Bit(kGround);
    CScoreBar bar(100, 200, 26, 101, 0);
    bar.border = 0;
    bar.showNumber = 0;
    bar.MoveTo(0, 40);
    bar.value = 50;
    bar.number = 50;
    bar.Draw(DRAW_TYPE_0);
    const std::uint16_t fill = CVideo::TrueToHigh(26, 101, 0);
    for (int y = 38; y <= 58; ++y)
        for (int x = 0; x <= 101; ++x) {
            const bool filled = x < 100 && y >= 40 && y <= 55;
            ASSERT_EQ(Pixel16(&screen, x, y), filled ? fill : kGround) << x << ", " << y;
        }
    // A number of 0 draws no fill whatever the value; a maximum of 0 neither.
    screen.Fill16Bit(kGround);
    bar.number = 0;
    bar.Draw(DRAW_TYPE_0);
    EXPECT_TRUE(Touched(screen).empty());
    CScoreBar empty(0, 200, 26, 101, 0);
    empty.border = 0;
    empty.showNumber = 0;
    empty.value = 50;
    empty.number = 50;
    empty.Draw(DRAW_TYPE_0);
    EXPECT_TRUE(Touched(screen).empty());
}

TEST_F(Bars, AScoreBarBorderIsEightLinesAroundAHalvedRectangleAndTheNumberIsPrinted)
{
    screen.Fill16Bit(kGround);
    CScoreBar bar(0, 20, 255, 0, 0);
    bar.MoveTo(10, 10);
    bar.height = 5;
    bar.number = 7;
    bar.showNumber = 0;
    bar.Draw(DRAW_TYPE_0);
    const std::uint16_t light = bar.GetLight();
    const std::uint16_t dark = bar.GetDark();
    // One point of each line that no later line covers, in drawing order.
    const struct {
        int x, y;
        bool isLight;
    } kLines[] = { { 20, 8, true }, { 20, 9, false }, { 31, 12, true }, { 32, 12, false }, { 20, 16, true },
        { 20, 17, false }, { 8, 12, true }, { 9, 12, false } };
    for (const auto& l : kLines)
        EXPECT_EQ(Pixel16(&screen, l.x, l.y), l.isLight ? light : dark) << l.x << ", " << l.y;
    EXPECT_EQ(Pixel16(&screen, 15, 12), static_cast<std::uint16_t>((kGround >> 1) & 0x7BEF));
    EXPECT_EQ(Pixel16(&screen, 33, 12), kGround);
    EXPECT_EQ(Pixel16(&screen, 20, 18), kGround);
    EXPECT_EQ(Pixel16(&screen, 7, 12), kGround);
    // Maximum 0: the border and the number, no fill.
    EXPECT_NE(Pixel16(&screen, 11, 11), CVideo::TrueToHigh(255, 0, 0));
    screen.Fill16Bit(kGround);
    bar.border = 0;
    bar.showNumber = 1;
    bar.Draw(DRAW_TYPE_0);
    EXPECT_FALSE(Touched(screen).empty()) << "the number 7 is printed";
}

TEST_F(Bars, AScoreBarAtTheImageCornersWritesNothingOutsideTheImage)
{
    // In a small image: a wrapped write would show as a changed pixel far from the bar, an unclipped one
    // past either end of the surface to the address sanitizer.
    CImage small(40, 20, 16, IMAGE_SYSTEM);
    const auto drawAt = [&small](int x, int y, int height) {
        small.Fill16Bit(kGround);
        CScoreBar bar(10, 10, 0, 200, 0);
        bar.SetDestinationImage(&small);
        bar.MoveTo(x, y);
        bar.height = height;
        bar.value = 10;
        bar.number = 10;
        bar.showNumber = 0;
        bar.Draw(DRAW_TYPE_0);
        return Touched(small);
    };
    for (const CPoint& p : drawAt(0, 0, 3))
        ASSERT_TRUE(p.x <= 12 && p.y <= 5) << p.x << ", " << p.y;
    for (const CPoint& p : drawAt(34, 16, 15))
        ASSERT_TRUE(p.x >= 32 && p.y >= 14) << p.x << ", " << p.y;
}

TEST_F(Bars, AHeaderButtonWritesItsTextOnEachFrameAndKeepsTheStateAndObjectItStandsFor)
{
    CStateSelection header("Court of Aldmere", static_cast<CRZPlayerState>(6), CRZID(12, 40));
    CSprite plain(kStateSelectionBitmap);
    ASSERT_EQ(header.GetTotalFrames(), 4);
    ASSERT_EQ(header.GetImage()->GetWidth(), plain.GetImage()->GetWidth());
    for (int frame = 0; frame < 4; ++frame) {
        int changed = 0;
        const int w = header.GetFrameWidth();
        for (int y = 0; y < header.GetHeight(); ++y)
            for (int x = frame * w; x < (frame + 1) * w; ++x)
                changed += Pixel16(header.GetImage(), x, y) != Pixel16(plain.GetImage(), x, y);
        EXPECT_GT(changed, 20) << "frame " << frame;
    }
    EXPECT_EQ(header.GetState(), static_cast<CRZPlayerState>(6));
    EXPECT_EQ(header.GetObjectID(), CRZID(12, 40));
}

struct LoadingCase {
    int width, height, row;
};

class LoadingBarSizes : public Bars, public testing::WithParamInterface<LoadingCase> { };

TEST_P(LoadingBarSizes, TheBarGrowsAlongItsRowAndTheBandIsPutBackBetweenDraws)
{
    const LoadingCase c = GetParam();
    CImage back(c.width, c.height, 16, IMAGE_SYSTEM);
    CVideo::pBackBuffer = &back;
    back.Fill16Bit(kGround);
    ASSERT_EQ(CLoadingBar::BarRow(), c.row);
    CLoadingBar loading(6);
    loading.InitUndo();
    const std::uint16_t green = CVideo::TrueToHigh(26, 101, 0);
    const auto filled = [&] {
        int columns = 0;
        while (columns < c.width && Pixel16(&back, columns, c.row) == green)
            ++columns;
        return columns;
    };
    const struct {
        int progress, columns;
    } kSteps[] = { { 0, 0 }, { 20, 204 }, { 50, 512 }, { 150, 1024 } };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.progress);
        loading.progress = step.progress;
        loading.Draw(DRAW_TYPE_0);
        EXPECT_EQ(filled(), step.columns);
        EXPECT_EQ(Pixel16(&back, 0, c.row + CLoadingBar::kBarHeight), step.columns ? green : kGround);
        EXPECT_EQ(Pixel16(&back, 0, c.row + CLoadingBar::kBarHeight + 1), kGround);
        EXPECT_EQ(Pixel16(&back, 0, c.row - 1), kGround);
        EXPECT_EQ(Pixel16(&back, c.width - 1, c.row),
            c.width > 1024 ? kGround : (step.columns == 1024 ? green : kGround));
    }
    // Rows 518 to 767 are put back before each draw: inside them a shorter bar shows shorter. Row 810
    // lies below them and keeps what was drawn.
    loading.progress = 20;
    loading.Draw(DRAW_TYPE_0);
    EXPECT_EQ(filled(), c.row < CLoadingBar::kBandTop + CLoadingBar::kBandHeight ? 204 : 1024);
    CVideo::pBackBuffer = &screen;
}

INSTANTIATE_TEST_SUITE_P(BackBuffers, LoadingBarSizes,
    testing::Values(LoadingCase { 1024, 768, 621 }, LoadingCase { 1280, 1024, 810 },
        LoadingCase { 1280, 800, 621 }, LoadingCase { 1280, 768, 621 }));

} // namespace
