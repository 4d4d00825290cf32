// Drawing operations on images: darkened, lightened and tinted rectangles, lines, the flood fill, flat and
// Gouraud-shaded triangles, and rectangles far larger than the image (run under the address sanitizer).
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

#include "gfx/image.h"
#include "gfx/video.h"
#include "gfx/video_fixture.h"

#include "foundation/safeguards.h"

namespace {

std::uint16_t& At(CImage& image, int x, int y)
{
    return reinterpret_cast<std::uint16_t*>(image.Lock() + y * image.GetPitch())[x];
}

void Fill(CImage& image, std::uint16_t value)
{
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            At(image, x, y) = value;
}

int Count(CImage& image, std::uint16_t value)
{
    int n = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            n += At(image, x, y) == value;
    return n;
}

class ImageOpsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CImageBase::InitAlpha();
        CVideo::_RGBFormat = 0;
        CVideo::pBackBuffer = &screen;
    }
    void TearDown() override
    {
        CVideo::_RGBFormat = 0;
        CVideo::pBackBuffer = nullptr;
    }
    // Images keep their pixels in surfaces of the DirectDraw object; the test brings its own back buffer.
    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 1024, 768, 16, IMAGE_SYSTEM };
};

TEST_F(ImageOpsTest, HalfIntensityRoundsToEvenColumns)
{
    CImage image(16, 4, 16, IMAGE_SYSTEM);
    Fill(image, 0xFFFF);
    const CRect rect(3, 1, 8, 2);
    image.HalfIntensity(&rect);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(At(image, x, 1), x >= 2 && x <= 7 ? 0x7BEF : 0xFFFF) << x;
    EXPECT_EQ(Count(image, 0xFFFF), 64 - 6);
}

TEST_F(ImageOpsTest, ColorAndGammaRects)
{
    struct Case {
        float f;
        std::uint16_t expected;
    } cases[] = { { 2, 0xF7DE }, { 4, 0xFFFF }, { 0.5f, 0x39E7 }, { 0, 0 } };
    for (const Case& c : cases) {
        CImage image(8, 8, 16, IMAGE_SYSTEM);
        Fill(image, 0x7BEF);
        const CRect rect(0, 0, 8, 8);
        image.ColorRect(&rect, c.f, c.f, c.f);
        EXPECT_EQ(At(image, 3, 3), c.expected) << c.f;
        EXPECT_EQ(At(image, 7, 7), 0x7BEF) << "the last row and column stay";
    }
    CVideo::_RGBFormat = 1;
    CImage image(8, 8, 16, IMAGE_SYSTEM);
    Fill(image, 0x8000 | 31 << 10);
    const CRect rect(0, 0, 4, 4);
    image.GammaRect(&rect, 16);
    EXPECT_EQ(At(image, 1, 1), 0x8000 | 31 << 10 | 16 << 5 | 16);
    image.ColorRect(&rect, 1, 1, 0.5f);
    EXPECT_EQ(At(image, 1, 1), 0x8000 | 15 << 10 | 16 << 5 | 16) << "555 keeps bit 15";
}

TEST_F(ImageOpsTest, RectanglesStayInsideTheImage)
{
    CImage image(32, 32, 16, IMAGE_SYSTEM);
    Fill(image, 0xFFFF);
    const CRect huge(-500, -500, 5000, 5000);
    image.HalfIntensity(&huge);
    image.GammaRect(&huge, 8);
    image.ColorRect(&huge, 0.5f, 0.5f, 0.5f);
    EXPECT_NE(At(image, 0, 0), 0xFFFF);
    CImage eight(32, 32, 8, IMAGE_SYSTEM);
    eight.HalfIntensity(&huge);
    EXPECT_EQ(eight.Lock()[0], 0) << "8-bit images are left alone";
}

TEST_F(ImageOpsTest, Lines)
{
    struct Case {
        CPoint a, b;
        int pixels;
    } cases[] = {
        { { 0, 0 }, { 4, 0 }, 5 }, { { 0, 0 }, { 4, 1 }, 3 }, { { 2, 0 }, { 2, 3 }, 4 },
        { { 0, 0 }, { 1, 4 }, 4 }, { { -40, 3 }, { 100, 3 }, 16 }, // clamped into the image
    };
    for (const Case& c : cases) {
        CImage image(16, 16, 16, IMAGE_SYSTEM);
        image.SetLineColor(0x1234);
        image.DrawLine16(c.a, c.b);
        EXPECT_EQ(Count(image, 0x1234), c.pixels) << c.a.x << "," << c.a.y << " " << c.b.x << "," << c.b.y;
    }
    // (0, 0) to (4, 1) draws x = 1 to 3.
    CImage image(16, 16, 16, IMAGE_SYSTEM);
    image.SetLineColor(0x1234);
    image.DrawLine16({ 0, 0 }, { 4, 1 });
    EXPECT_NE(At(image, 1, 0), 0);
    EXPECT_EQ(At(image, 0, 0), 0);
    EXPECT_EQ(At(image, 4, 1), 0);

    // Soft lines: one pixel fewer, each softening its neighbours (the line pixel before it too) half-way to
    // the colour with red and blue exchanged, and never reaching the outermost columns.
    CImage soft(8, 8, 16, IMAGE_SYSTEM);
    soft.SetLineColor(31 << 11);
    soft.DrawLine16Aliased({ -5, 3 }, { 50, 3 });
    EXPECT_EQ(At(soft, 5, 3), 31 << 11);
    EXPECT_EQ(At(soft, 4, 3), 15 << 11 | 15);
    EXPECT_EQ(At(soft, 3, 2), 15) << "the halo takes the line's red as blue";
    EXPECT_EQ(At(soft, 6, 3), 15);
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(At(soft, 7, y), 0);
}

TEST_F(ImageOpsTest, FloodFill)
{
    const std::uint16_t key = CImageBase::Transparent16Bit;
    CImage image(6, 5, 16, IMAGE_SYSTEM);
    Fill(image, key);
    At(image, 3, 1) = At(image, 3, 2) = At(image, 3, 3) = 0x1111;
    image.FloodFill(1, 2, 0x2222);
    // Inside the wall's left, never the outer rows and columns but the start.
    EXPECT_EQ(Count(image, 0x2222), 6);
    EXPECT_EQ(At(image, 2, 3), 0x2222);
    EXPECT_EQ(At(image, 4, 2), key);
    image.FloodFill(3, 2, 0x3333);
    EXPECT_EQ(Count(image, 0x3333), 0) << "a start that is not transparent";
    image.FloodFill(4, 2, key);
    EXPECT_EQ(Count(image, key), 30 - 3 - 6) << "filling in the transparent colour returns at once";
}

TEST_F(ImageOpsTest, FlatTriangleUsesThePitchAndClips)
{
    CImage image(20, 12, 8, IMAGE_SYSTEM);
    image.FlatTriangle(-10, -5, 30, 4, 5, 30, 9);
    int inked = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            inked += image.Lock()[y * image.GetPitch() + x] == 9;
    EXPECT_GT(inked, 60);
    EXPECT_EQ(image.Lock()[19], 0);
}

TEST_F(ImageOpsTest, GouraudTriangles)
{
    std::uint16_t colours[9];
    std::iota(colours, colours + 9, std::uint16_t(100));
    CPoint a(10, 10), b(0, 20), c(20, 20);
    CImage image(32, 32, 16, IMAGE_SYSTEM);
    image.DrawGouraudTriangle(a, b, c, 0, 8, 8, colours, { 0, 0 });
    EXPECT_EQ(At(image, 10, 10), 0) << "the top row is empty";
    EXPECT_EQ(At(image, 10, 15), 103);
    EXPECT_EQ(At(image, 19, 20), 108);
    EXPECT_EQ(At(image, 1, 19), 107);
    int filled = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            filled += At(image, x, y) != 0;
    EXPECT_GT(filled, 80);

    CImage reversed(32, 32, 16, IMAGE_SYSTEM);
    reversed.DrawGouraudTriangle(a, c, b, 0, 8, 8, colours, { 0, 0 });
    EXPECT_EQ(Count(reversed, 0), 32 * 32);

    CImage shadow(32, 32, 16, IMAGE_SYSTEM);
    Fill(shadow, 0xFFFF);
    shadow.DrawGouraudTriangle(a, b, c, 0, 8, 8, nullptr, { 4, 4 });
    EXPECT_EQ(Count(shadow, 0xFFFF) + Count(shadow, 0x7BEF), 32 * 32) << "only darkens";
    EXPECT_EQ(At(shadow, 14, 19), 0x7BEF);
    EXPECT_EQ(At(shadow, 10, 15), 0xFFFF);
}

} // namespace
