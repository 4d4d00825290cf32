// The video set-up on a headless display: the mode and its pixel format, presenting the back buffer, the
// cursor's place and its one drawing per flip, the generated cursors' keyed corners, and screenshots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gfx/bitmap_fixture.h"
#include "gfx/direct_draw.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "platform/input/window_messages.h"
#include "support/data_folder.h"

using video_test::Pixel16;
using video_test::SetPixel16;

namespace fs = std::filesystem;

namespace {

class Video : public testing::Test {
protected:
    void SetUp() override
    {
        mVideo = std::make_unique<video_test::ScopedHeadlessVideo>(1024, 768);
        ASSERT_TRUE(mVideo->ok());
    }
    void TearDown() override { mVideo.reset(); }
    // The primary surface's pixel, as the screen shows it.
    static std::uint16_t Screen(int x, int y) { return Pixel16(CVideo::pFrontBuffer, x, y); }

    std::unique_ptr<video_test::ScopedHeadlessVideo> mVideo;
};

TEST_F(Video, TheModeIs555WithGreenAsKeyAndRestoringKeepsIt)
{
    EXPECT_EQ(CVideo::GetBackBufferWidth(), 1024);
    EXPECT_EQ(CVideo::GetBackBufferHeight(), 768);
    EXPECT_GE(CVideo::GetBackBufferPitch(), 2048);
    EXPECT_EQ(CVideo::_RGBFormat, 1);
    EXPECT_EQ(CImageBase::Transparent16Bit, 0x03E0);
    EXPECT_EQ(CVideo::pDD->GetWidth(), 1024);
    EXPECT_EQ(CVideo::pDD->GetModeCount(), 1);
    EXPECT_EQ(CVideo::FrontClipper, CRect(0, 0, 1024, 768));

    CImage image(8, 8, 16, IMAGE_VIDEO);
    ASSERT_TRUE(CVideo::pDD->SetColorKey(image.GetSurface()));
    Windows::DDCOLORKEY key {};
    image.GetSurface()->GetColorKey(Windows::DDCKEY_SRCBLT, &key);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0x03E0u);

    CVideo::RestoreFront();
    EXPECT_EQ(CVideo::_RGBFormat, 1);
    EXPECT_EQ(CVideo::pFrontBuffer->GetWidth(), 1024);
    CVideo::RestoreAll();
    EXPECT_EQ(CVideo::_RGBFormat, 1);
    EXPECT_EQ(CVideo::pDD->GetModeCount(), 1); // counted afresh, not added to the last count
}

TEST(VideoCursor, PlacedInsideTheDisplayWithAtLeastOnePixel)
{
    struct Case {
        int x, y;
        CRect placed;
    } cases[] = {
        { -5, 10, CRect(0, 10, 32, 42) },
        { 1014, 0, CRect(1014, 0, 1024, 32) },
        { 1024, 0, CRect(1023, 0, 1024, 32) },
        { 2000, 768, CRect(1023, 767, 1024, 768) },
        { 100, 750, CRect(100, 750, 132, 768) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDirectDraw::PlaceCursor(c.x, c.y, 32, 32, 1024, 768), c.placed) << c.x << "," << c.y;
}

TEST_F(Video, UpdatePresentsTheBackBufferAndDrawsTheCursorOncePerFlip)
{
    CVideo::pBackBuffer->Fill16Bit(0x1234);
    SetPixel16(CVideo::pBackBuffer, 1023, 767, 0x7C00);
    CVideo::Update();
    EXPECT_EQ(Screen(500, 300), 0x1234);
    EXPECT_EQ(Screen(1023, 767), 0x7C00);
    EXPECT_FALSE(CVideo::pDD->IsCursorDrawn());

    // A cursor image, all red but for a green (keyed) top-left quarter.
    fixture::WriteKeyedPicture("gfx/interface/cursor.bmp", 0x7C00);
    CVideo::RegisterCursor("gfx\\interface\\cursor.bmp");
    EXPECT_EQ(CVideo::Cursors, 2);
    CVideo::SetCursor(1);

    Windows::POINT at {};
    Windows::GetCursorPos(&at);
    const CRect place = CDirectDraw::PlaceCursor(at.x, at.y, 16, 16, 1024, 768);
    CVideo::Update();
    EXPECT_EQ(Screen(place.left + 1, place.top + 1), 0x1234) << "keyed corner shows the screen";
    EXPECT_EQ(Screen(place.right - 1, place.bottom - 1), 0x7C00);

    // Between flips the cursor is drawn once only.
    CVideo::pBackBuffer->Draw(0, 0, CRect(0, 0, 1024, 768), nullptr, CVideo::pFrontBuffer, nullptr);
    CVideo::pDD->BlitCursor(CVideo::Cursor[1], CVideo::Cursor[0], true);
    SetPixel16(CVideo::pFrontBuffer, place.right - 1, place.bottom - 1, 0x0011);
    CVideo::pDD->BlitCursor(CVideo::Cursor[1], CVideo::Cursor[0], true);
    EXPECT_EQ(Screen(place.right - 1, place.bottom - 1), 0x0011);
    CVideo::pDD->Flip();
    EXPECT_FALSE(CVideo::pDD->IsCursorDrawn());

    CVideo::RemoveCursors();
    EXPECT_EQ(CVideo::Cursors, 0);
}

TEST_F(Video, GeneratedCursorsAreKeyedInTheirCorners)
{
    ASSERT_TRUE(video_test::GenerateTinyData(3)) << "build the datagen target first";
    for (const char* name : { "gfx\\interface\\cursor_active.bmp", "gfx\\interface\\cursor_inactive.bmp" }) {
        SCOPED_TRACE(name);
        CImage cursor(name, IMAGE_SYSTEM, false);
        ASSERT_STREQ(cursor.GetName(), name);
        EXPECT_EQ(Pixel16(&cursor, 0, 0), 0x03E0);
        EXPECT_TRUE(cursor.HasTransparency());
        EXPECT_NE(Pixel16(&cursor, 16, 16), 0x03E0);
    }
}

TEST_F(Video, ScreenshotsTakeTheNextFreeNumberAndReadBackAsTheBackBuffer)
{
    for (int width : { 1024, 333 }) {
        SCOPED_TRACE(width);
        if (width != 1024) {
            mVideo.reset();
            mVideo = std::make_unique<video_test::ScopedHeadlessVideo>(width, 20);
            ASSERT_TRUE(mVideo->ok());
        }
        for (const char* name : { "ScreenSave0.bmp", "ScreenSave1.bmp", "ScreenSave2.bmp" })
            fs::remove(support::gDataFolder + "/" + name);
        fixture::WriteFile("ScreenSave0.bmp", "x");
        fixture::WriteFile("ScreenSave1.bmp", "x");
        CImage* back = CVideo::pBackBuffer;
        const int height = back->GetHeight();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixel16(back, x, y, static_cast<std::uint16_t>((x * 7 + y * 131) & 0x7FFF));
        ASSERT_EQ(CVideo::SaveScreen(nullptr), 1);
        const fs::path saved = support::gDataFolder + "/ScreenSave2.bmp";
        ASSERT_TRUE(fs::exists(saved));
        const std::uint32_t row = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3U;
        EXPECT_EQ(fs::file_size(saved), 54 + row * static_cast<std::uint32_t>(height));

        // Read back through the game's own reader: 24 bits come back as the same 5-5-5 pixels.
        CImage shot("ScreenSave2.bmp", IMAGE_SYSTEM, false);
        ASSERT_STREQ(shot.GetName(), "ScreenSave2.bmp");
        ASSERT_EQ(shot.GetWidth(), width);
        for (int y = 0; y < height; y += 3)
            for (int x = 0; x < width; x += 5)
                ASSERT_EQ(Pixel16(&shot, x, y), Pixel16(back, x, y)) << x << "," << y;
    }
}

} // namespace
