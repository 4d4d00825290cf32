// Images on surfaces: creation by size and from files, locking, whole-image operations, and the blit with
// its even rounding, clipping, scroll wrap and copy paths, on a headless display.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/point_rect.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/direct_draw.h"
#include "gfx/palette.h"
#include "gfx/video_fixture.h"
#include "platform/ddraw/standard_surface.h"

using video_test::Pixel16;
using video_test::Pixel8;
using video_test::SetPixel16;
using video_test::SetPixel8;

namespace {

class Images : public video_test::HeadlessVideo { };

// Fills an image with a pattern that tells every pixel apart and never equals the transparent colour.
void Pattern16(CImage* image)
{
    for (int y = 0; y < image->GetHeight(); ++y)
        for (int x = 0; x < image->GetWidth(); ++x)
            SetPixel16(image, x, y, static_cast<std::uint16_t>(0x4000 + y * 64 + x));
}

// The columns of row y of dest that no longer hold fill.
std::vector<int> Changed(CImage* dest, int y, std::uint16_t fill)
{
    std::vector<int> columns;
    for (int x = 0; x < dest->GetWidth(); ++x)
        if (Pixel16(dest, x, y) != fill)
            columns.push_back(x);
    return columns;
}

TEST_F(Images, SizedImagesOwnClearedSurfacesOfTheirKind)
{
    EXPECT_EQ(CVideo::_RGBFormat, 1);
    EXPECT_EQ(CImageBase::Transparent16Bit, 0x03E0);

    CImage video(16, 8, 16, IMAGE_VIDEO);
    CImage system(16, 8, 16, IMAGE_SYSTEM);
    CImage locked(16, 8, 16, IMAGE_LOCKED_SURFACE);
    CImage screen(16, 8, 16, IMAGE_SCREEN);
    for (CImage* image : { &video, &system, &locked }) {
        EXPECT_STREQ(image->GetName(), "sized image");
        ASSERT_NE(image->GetSurface(), nullptr);
        EXPECT_GE(image->GetPitch(), 32);
        EXPECT_EQ(Pixel16(image, 15, 7), 0);
    }
    EXPECT_EQ(video.GetType(), IMAGE_VIDEO);
    EXPECT_EQ(screen.GetSurface(), nullptr);
    EXPECT_GT(CVideo::pDD->GetVideoMemoryBytes(), 0);

    // An odd 8-bit system image: its rows lie in 16-bit pixels, enough of them for every byte.
    CImage odd(7, 3, 8, IMAGE_SYSTEM);
    Windows::DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    ASSERT_NE(odd.GetSurface(), nullptr);
    odd.GetSurface()->GetSurfaceDesc(&desc);
    EXPECT_EQ(desc.dwWidth, 4u);
    odd.Fill8Bit(9);
    EXPECT_EQ(Pixel8(&odd, 6, 2), 9);

    odd.Clear();
    EXPECT_EQ(Pixel8(&odd, 6, 2), 0);
    system.Clear();
    EXPECT_EQ(Pixel16(&system, 3, 3), 0x03E0);
    EXPECT_EQ(system.IsPixelTransparent(3, 3), 1);
    EXPECT_EQ(system.IsPixelTransparent(16, 3), 0);
}

TEST_F(Images, LocksDoNotCountAndAFailingLockGivesUp)
{
    CImage image(8, 8, 16, IMAGE_SYSTEM);
    unsigned char* first = image.Lock();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(image.Lock(), first);
    EXPECT_EQ(image.Lock(2, 1), first + image.GetPitch() + 4);
    image.Unlock();
    EXPECT_EQ(image.GetLockCount(), 0);

    // Someone else holds the surface: every attempt fails, and the image gives up with null.
    Windows::DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(image.GetSurface()->Lock(nullptr, &desc, 0, nullptr), 0);
    EXPECT_EQ(image.Lock(), nullptr);
    EXPECT_EQ(image.GetLockCount(), 0);
    image.GetSurface()->Unlock(nullptr);
    EXPECT_NE(image.Lock(), nullptr);
    image.Unlock();
}

TEST_F(Images, DrawRoundsToEvenColumnsAndWrapsIntoAScrolledDestination)
{
    CImage source(16, 4, 16, IMAGE_SYSTEM);
    Pattern16(&source);
    CImage dest(64, 8, 16, IMAGE_SYSTEM);

    struct Case {
        const char* name;
        int x;
        CRect src;
        int scrollX;
        std::vector<int> columns; // of dest row 0
        int firstSourceColumn;
    } cases[] = {
        { "x = 5 lands at 4", 5, CRect(0, 0, 4, 1), 0, { 4, 5, 6, 7 }, 0 },
        { "columns 3 to 9 copy 2 to 7", 0, CRect(3, 0, 9, 1), 0, { 0, 1, 2, 3, 4, 5 }, 2 },
        { "scrolled by 10 lands 10 further", 4, CRect(0, 0, 4, 1), 10, { 14, 15, 16, 17 }, 0 },
        { "and wraps round the width", 56, CRect(0, 0, 8, 1), 4, { 60, 61, 62, 63 }, 0 },
        { "width 6 copies all 6", 0, CRect(0, 0, 6, 1), 0, { 0, 1, 2, 3, 4, 5 }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dest.Fill16Bit(0);
        dest.SetScrollOffset(c.scrollX, 0);
        EXPECT_EQ(source.Draw(c.x, 0, c.src, nullptr, &dest, nullptr), 1);
        EXPECT_EQ(Changed(&dest, 0, 0), c.columns);
        EXPECT_EQ(Pixel16(&dest, c.columns.front(), 0), Pixel16(&source, c.firstSourceColumn, 0));
    }
    dest.SetScrollOffset(-70, 20);
    EXPECT_EQ(dest.GetScrollX(), 58);
    EXPECT_EQ(dest.GetScrollY(), 4);
    dest.SetScrollOffset(0, 0);

    // The caller's clip keeps its rounded edges; a draw wholly outside it or inside the cover draws nothing.
    CRect clip(3, 0, 11, 8);
    dest.Fill16Bit(0);
    EXPECT_EQ(source.Draw(0, 0, CRect(0, 0, 16, 4), &clip, &dest, nullptr), 1);
    EXPECT_EQ(clip.left, 2);
    EXPECT_EQ(clip.right, 10);
    EXPECT_EQ(Changed(&dest, 0, 0), (std::vector<int> { 2, 3, 4, 5, 6, 7, 8, 9 }));
    EXPECT_EQ(source.Draw(20, 0, CRect(0, 0, 4, 4), &clip, &dest, nullptr), 0);
    CRect cover(0, 0, 64, 8);
    EXPECT_EQ(source.Draw(4, 0, CRect(0, 0, 4, 4), nullptr, &dest, &cover), 0);
}

TEST_F(Images, CopyPathsStayInsideBothImagesAtEveryEdge)
{
    CImage source16(9, 9, 16, IMAGE_SYSTEM);
    Pattern16(&source16);
    CImage source8(9, 9, 8, IMAGE_SYSTEM);
    source8.Fill8Bit(5);
    CImage dest16(10, 10, 16, IMAGE_SYSTEM);
    CImage dest8(11, 10, 8, IMAGE_SYSTEM);
    CImage screen(10, 10, 16, IMAGE_SCREEN);
    screen.SetScreenSurface(dest16.GetSurface(), nullptr);
    // Rectangles reaching past either image on every side, at and beyond the edges; under ASan any
    // stray write or read fails the test.
    const CRect sources[]
        = { CRect(-8, -8, 4, 4), CRect(0, 0, 9, 9), CRect(4, 4, 40, 40), CRect(-2, 0, 30, 2) };
    const int places[] = { -30, -9, -1, 0, 3, 8, 9, 10, 11, 40 };
    for (const CRect& src : sources) {
        for (int x : places) {
            for (int y : places) {
                source16.FastBltAsm16to16(x, y, const_cast<CRect*>(&src), &dest16);
                source8.FastBltAsm8to8(x, y, const_cast<CRect*>(&src), &dest8);
                CRect position(x, y, x + 9, y + 9);
                source16.BlitToScreen(&screen, const_cast<CRect*>(&src), &position);
                source16.BlitScroll(x < 0 ? 0 : x, y < 0 ? 0 : y, x, y, &dest16);
                source16.SetScale(1);
                source16.FastBltAsm16to16(x, y, const_cast<CRect*>(&src), &dest16);
                source16.SetScale(0);
            }
        }
    }
    screen.SetScreenSurface(nullptr, nullptr);
    // One exact case: a 9 by 9 picture at (8, 8) of a 10 by 10 image leaves a 2 by 2 corner.
    dest16.Fill16Bit(0);
    CRect whole(0, 0, 9, 9);
    source16.FastBltAsm16to16(8, 8, &whole, &dest16);
    EXPECT_EQ(Pixel16(&dest16, 9, 9), Pixel16(&source16, 1, 1));
    EXPECT_EQ(Pixel16(&dest16, 7, 9), 0);
}

TEST_F(Images, EightBitIndicesThroughThePaletteEqualAPerPixelReference)
{
    CPalette palette;
    for (int i = 0; i < 256; ++i) {
        palette._Colors[i][0] = static_cast<std::uint8_t>(i);
        palette._Colors[i][1] = static_cast<std::uint8_t>(255 - i);
        palette._Colors[i][2] = static_cast<std::uint8_t>(i * 7);
    }
    palette.Calc16BitPalette();
    CImage source(12, 6, 8, IMAGE_SYSTEM);
    source.SetPalette(&palette);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x)
            SetPixel8(&source, x, y, static_cast<std::uint8_t>((x * 5 + y * 3) % 7)); // 0, 1 and colours
    CImage dest(20, 10, 16, IMAGE_SYSTEM);

    for (int shift : { 0, 1 }) {
        for (int x : { 4, 5, 16 }) {
            SCOPED_TRACE(testing::Message() << "shift " << shift << ", x " << x);
            source.SetScale(shift);
            Pattern16(&dest);
            std::vector<std::uint16_t> before;
            for (int yy = 0; yy < 10; ++yy)
                for (int xx = 0; xx < 20; ++xx)
                    before.push_back(Pixel16(&dest, xx, yy));
            CRect src(0, 0, 12, 6);
            source.proc_SpriteMacro(x, 2, &src, &dest);
            const int w = 12 >> shift;
            const int h = 6 >> shift;
            for (int row = 0; row < h; ++row) {
                for (int col = 0; col < w; ++col) {
                    const int dx = (x + col) % 20;
                    const int dy = 2 + row;
                    const std::uint8_t index = Pixel8(&source, col << shift, row << shift);
                    const std::uint16_t under = before[static_cast<std::size_t>(dy * 20 + dx)];
                    const std::uint16_t expect = index == 0 ? under
                        : index == 1 ? static_cast<std::uint16_t>((under >> 1) & 0x3DEF)
                                     : static_cast<std::uint16_t>(palette._Normal16[index]);
                    ASSERT_EQ(Pixel16(&dest, dx, dy), expect) << "at " << col << "," << row;
                }
            }
        }
    }
    source.SetScale(0);

    // 5-6-5 has no 8-to-16 path: nothing is drawn.
    CVideo::_RGBFormat = 0;
    dest.Fill16Bit(0x1234);
    CRect src(0, 0, 12, 6);
    testing::internal::CaptureStderr();
    source.proc_SpriteMacro(0, 0, &src, &dest);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("SCALEMACRO16"), std::string::npos);
    EXPECT_EQ(Pixel16(&dest, 1, 1), 0x1234);
    CVideo::_RGBFormat = 1;
}

TEST_F(Images, FilesLoadIntoSurfacesAndVideoImagesBlitKeyed)
{
    // 24-bit 4 by 2: green in the top-left corner, the rest colours.
    fixture::Bmp bmp;
    bmp.width = 4;
    bmp.height = 2;
    bmp.bits = 24;
    bmp.table = false;
    const std::string bottom = std::string("\x00\x00\xFF", 3) + std::string("\xFF\x00\x00", 3)
        + std::string("\x00\x00\xFF", 3) + std::string("\xFF\x00\x00", 3);
    const std::string top = std::string("\x00\xFF\x00", 3) + std::string("\x00\x00\xFF", 3)
        + std::string("\x00\x00\xFF", 3) + std::string("\x00\x00\xFF", 3);
    bmp.pixels = bottom + top;
    fixture::WriteFile("gfx/keyed.bmp", fixture::Bytes(bmp));

    CImage system("gfx\\keyed.bmp", IMAGE_SYSTEM, false);
    EXPECT_STREQ(system.GetName(), "gfx\\keyed.bmp");
    ASSERT_NE(system.GetSurface(), nullptr);
    EXPECT_TRUE(system.HasTransparency());
    EXPECT_EQ(Pixel16(&system, 0, 0), 0x03E0);
    EXPECT_EQ(Pixel16(&system, 1, 0), 0x7C00);

    CImage video("gfx\\keyed.bmp", IMAGE_VIDEO, false);
    EXPECT_EQ(video.GetType(), IMAGE_VIDEO);
    ASSERT_TRUE(CVideo::pDD->SetColorKey(video.GetSurface()));
    CImage dest(8, 4, 16, IMAGE_SYSTEM);
    dest.Fill16Bit(0x1111);
    EXPECT_EQ(video.Draw(2, 1, &dest), 1);
    EXPECT_EQ(Pixel16(&dest, 2, 1), 0x1111); // keyed green left alone
    EXPECT_EQ(Pixel16(&dest, 3, 1), 0x7C00);
    EXPECT_EQ(Pixel16(&dest, 2, 2), 0x7C00);

    // An 8-bit file keeps one byte a pixel in its surface.
    fixture::Bmp indices;
    indices.width = 3;
    indices.height = 1;
    indices.pixels = std::string("\x02\x00\x07\x00", 4);
    fixture::WriteFile("gfx/indices.bmp", fixture::Bytes(indices));
    CImage eight("gfx\\indices.bmp", IMAGE_SYSTEM, false);
    EXPECT_EQ(eight.GetBytesPerPixel(), 1);
    EXPECT_EQ(Pixel8(&eight, 2, 0), 7);

    // A missing file is the fallback picture, under its name.
    testing::internal::CaptureStderr();
    CImage missing("gfx\\nothing.bmp", IMAGE_SYSTEM, false);
    testing::internal::GetCapturedStderr();
    EXPECT_STREQ(missing.GetName(), "gfx/dummy.bmp");
}

} // namespace
