// A fixed frame composed as the game composes its frames (colour bars, a keyed image, a wrapped blit and a
// cursor) equals the picture kept beside this test, and the game window (under Xvfb) shows it.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "gfx/bitmap_fixture.h"
#include "gfx/direct_draw.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/host_hooks.h"
#include "platform/render/our_context.h"
#include "support/data_folder.h"

using video_test::Pixel16;
using video_test::SetPixel16;

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

void ComposeScene()
{
    CImage* back = CVideo::pBackBuffer;
    // Eight colour bars: every combination of full red, green and blue.
    for (int bar = 0; bar < 8; ++bar) {
        const auto colour = static_cast<std::uint16_t>(
            (bar & 4 ? 0x7C00 : 0) | (bar & 2 ? 0x03E0 : 0) | (bar & 1 ? 0x001F : 0));
        for (int y = 0; y < kHeight; ++y)
            for (int x = bar * 128; x < bar * 128 + 128; ++x)
                SetPixel16(back, x, y, colour == 0x03E0 ? 0x03E1 : colour);
    }
    fixture::WriteKeyedPicture("gfx/keyed.bmp", 0x4210);
    fixture::WriteKeyedPicture("gfx/cursor.bmp", 0x7FFF);
    CImage keyed("gfx\\keyed.bmp", IMAGE_VIDEO, false);
    CVideo::pDD->SetColorKey(keyed.GetSurface());
    keyed.Draw(101, 200, back); // lands at 100
    // A gradient drawn into a scrolled image wraps round its right edge.
    CImage strip(64, 32, 16, IMAGE_SYSTEM);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            SetPixel16(&strip, x, y, static_cast<std::uint16_t>((x & 31) << 10 | y));
    CImage board(256, 64, 16, IMAGE_SYSTEM);
    board.Fill16Bit(0x0210);
    board.SetScrollOffset(300, 16); // wraps to 44
    strip.Draw(0, 0, &board);
    board.Draw(300, 400, back);
    CImage cursor("gfx\\cursor.bmp", IMAGE_VIDEO, false);
    CVideo::pDD->SetColorKey(cursor.GetSurface());
    cursor.Draw(700, 500, back);
}

int Expand(int c)
{
    return c * 255 / 31;
}

class GoldenFrame : public testing::Test {
protected:
    void SetUp() override
    {
        SetDataPath();
        mWindow = std::make_unique<video_test::ScopedGameWindow>(kWidth, kHeight, "golden frame");
        ASSERT_TRUE(mWindow->ok());
    }
    void TearDown() override { mWindow.reset(); }
    std::unique_ptr<video_test::ScopedGameWindow> mWindow;
};

TEST_F(GoldenFrame, TheComposedFrameEqualsTheKeptPictureAndTheWindowShowsIt)
{
    ComposeScene();
    const char* tests = std::getenv("VELLMARK_TEST_SOURCE");
    ASSERT_NE(tests, nullptr) << "run under ctest, which names the test sources";
    const fs::path golden = fs::path(tests) / "gfx" / "golden_frame.bmp";
    if (std::getenv("VELLMARK_WRITE_GOLDEN")) {
        ASSERT_EQ(CVideo::SaveScreen(nullptr), 1);
        fs::copy_file(
            support::gDataFolder + "/ScreenSave0.bmp", golden, fs::copy_options::overwrite_existing);
    }
    ASSERT_TRUE(fs::exists(golden)) << golden;
    fs::copy_file(golden, support::gDataFolder + "/golden.bmp", fs::copy_options::overwrite_existing);
    CImage kept("golden.bmp", IMAGE_SYSTEM, false);
    ASSERT_STREQ(kept.GetName(), "golden.bmp");
    ASSERT_EQ(kept.GetWidth(), kWidth);
    // Held locked for the whole comparison: one lock per pixel would take a while.
    kept.Lock();
    CVideo::pBackBuffer->Lock();
    int differing = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            differing += Pixel16(&kept, x, y) != Pixel16(CVideo::pBackBuffer, x, y);
    EXPECT_EQ(differing, 0);
    // Spot checks of what the scene is made of.
    EXPECT_EQ(Pixel16(CVideo::pBackBuffer, 100 + 12, 200 + 12), 0x4210); // keyed image at an even column
    EXPECT_EQ(Pixel16(CVideo::pBackBuffer, 100 + 2, 200 + 2), 0x0000); // its keyed corner shows the bar
    EXPECT_EQ(
        Pixel16(CVideo::pBackBuffer, 300 + 44 + 2, 400 + 16 + 1), static_cast<std::uint16_t>(2 << 10 | 1));

    kept.Unlock();
    CVideo::pBackBuffer->Unlock();

    // The window shows the back buffer, each channel widened from 5 bits.
    CVideo::Update();
    CVideo::pBackBuffer->Lock();
    Ravel::UseStageContext();
    glFinish();
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int off = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint16_t p = Pixel16(CVideo::pBackBuffer, x, y);
            const std::uint8_t* shown = &rgba[(static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 4];
            const int want[3] = { Expand((p >> 10) & 31), Expand((p >> 5) & 31), Expand(p & 31) };
            for (int c = 0; c < 3; ++c)
                off += std::abs(shown[c] - want[c]) > 1;
        }
    }
    CVideo::pBackBuffer->Unlock();
    EXPECT_EQ(off, 0);
}

} // namespace
