// The loading bar and the hint window in the game window under Xvfb at 1024 by 768: the bar grows along
// row 621 in (26, 101, 0) at each of start-up's progress values, in the back buffer and in the presented
// frame; the hint window is drawn over the loading picture. VELLMARK_KEEP_SCREEN names a file that
// receives the hint window's frame as a bitmap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/settings.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "support/data_folder.h"
#include "text/new_text.h"
#include "widgets/generated_interface.h"
#include "widgets/generic_button.h"
#include "widgets/hints.h"
#include "widgets/loading_bar.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
// The progress values start-up shows, in order.
constexpr int kStartUpProgress[] = { 5, 10, 15, 20, 25, 30, 40, 42, 45, 95, 98 };

class HintsOnScreen : public fixture::GfxFileTest {
protected:
    static void SetUpTestSuite() { widgets_test::GenerateTinyFolder(); }
    void SetUp() override
    {
        GfxFileTest::SetUp();
        mWindow = std::make_unique<video_test::ScopedGameWindow>(kWidth, kHeight, "hints");
        ASSERT_TRUE(mWindow->ok());
        ASSERT_EQ(CVideo::GetBackBufferWidth(), kWidth);
        CImageBase::InitAlpha();
        ASSERT_EQ(LoadInterfaceFonts(), 1);
        ASSERT_TRUE(TextStrings.Init(static_cast<RZLanguageType>(0)));
        // The loading picture, as start-up shows it under the bar.
        CImage picture("gfx\\load_1024.bmp", IMAGE_SYSTEM, false);
        picture.Draw(0, 0, CVideo::pBackBuffer);
    }
    void TearDown() override
    {
        TextStrings.DeleteAll();
        delete gpFontDB;
        gpFontDB = nullptr;
        mWindow.reset();
        GfxFileTest::TearDown();
    }

    std::unique_ptr<video_test::ScopedGameWindow> mWindow;
};

TEST_F(HintsOnScreen, TheLoadingBarGrowsAlongRow621AtEachStartUpStep)
{
    CImage* back = CVideo::pBackBuffer;
    CImage* shown = CVideo::pFrontBuffer;
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(CLoadingBar::BarRow(), 621);
    const std::uint16_t green = CVideo::TrueToHigh(26, 101, 0);
    const std::uint16_t above = video_test::Pixel16(back, 600, 620);
    CLoadingBar loading(static_cast<int>(std::size(kStartUpProgress)));
    loading.InitUndo();
    loading.SetText(TextStrings.GetString("INIT_GLOBALS"));
    const auto run = [green](CImage* image) {
        int columns = 0;
        while (columns < kWidth && video_test::Pixel16(image, columns, 621) == green)
            ++columns;
        return columns;
    };
    for (int progress : kStartUpProgress) {
        SCOPED_TRACE(progress);
        loading.progress = progress;
        loading.Draw(DRAW_TYPE_0);
        const int columns = kWidth * progress / 100;
        EXPECT_EQ(run(back), columns);
        EXPECT_EQ(run(shown), columns) << "the presented frame";
        EXPECT_NE(video_test::Pixel16(back, columns + 1, 621), green);
        EXPECT_EQ(video_test::Pixel16(back, 0, 621 + CLoadingBar::kBarHeight), green);
        EXPECT_EQ(video_test::Pixel16(back, 600, 620), above) << "the row above is the picture's";
    }
}

TEST_F(HintsOnScreen, TheHintWindowOverTheLoadingPicture)
{
    CSettings settings;
    gpSettings = &settings;
    settings.InitSettings();
    CRZGenericButton::InitSprites();
    gpWindowsTiles8 = new CWindowsTiles(8);
    CWindow::InitClass();
    {
        CHints hints;
        hints.InitHintBox();
        hints.InitHintBox();
        CWindow::ClearSBuffer();
        hints.Draw(DRAW_TYPE_2);
        EXPECT_EQ(hints.GetCurrentHint(), 3);
        CVideo::Update();
        ASSERT_EQ(CVideo::SaveScreen(nullptr), 1);
    }
    CWindow::ShutdownClass();
    delete gpWindowsTiles8;
    gpWindowsTiles8 = nullptr;
    CRZGenericButton::DeInitSprites();
    gpSettings = nullptr;
    const fs::path saved = support::gDataFolder + "/ScreenSave0.bmp";
    ASSERT_TRUE(fs::exists(saved));
    if (const char* keep = std::getenv("VELLMARK_KEEP_SCREEN"))
        fs::copy_file(saved, keep, fs::copy_options::overwrite_existing);
}

} // namespace
