// The headless display of the image and video tests.
#include "gfx/video_fixture.h"

#include <SDL.h>
#include <cstdlib>
#include <unistd.h>

#include "gfx/direct_draw.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/host_hooks.h"
#include "platform/win/win_types.h"
#include "support/data_folder.h"
#include "support/generated_data.h"

#include "foundation/safeguards.h"

namespace video_test {

namespace {

Ravel::BasicHWNDImpOBJC* gWrapper = nullptr;

} // namespace

std::filesystem::path DataGenerator()
{
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return {};
    exe[n] = '\0';
    return std::filesystem::path(exe).parent_path() / "datagen";
}

bool GenerateTinyData(int seed)
{
    const std::filesystem::path generator = DataGenerator();
    return std::filesystem::exists(generator)
        && support::GenerateDataWith(generator, support::gDataFolder, "tiny", seed);
}

std::uint16_t Pixel16(CImageBase* image, int x, int y)
{
    const bool held = image->GetLockCount() > 0;
    auto* at = reinterpret_cast<std::uint16_t*>(image->Lock(x, y));
    const std::uint16_t value = at ? *at : 0xDEAD;
    if (!held)
        image->Unlock();
    return value;
}

void SetPixel16(CImageBase* image, int x, int y, std::uint16_t value)
{
    const bool held = image->GetLockCount() > 0;
    if (auto* at = reinterpret_cast<std::uint16_t*>(image->Lock(x, y)))
        *at = value;
    if (!held)
        image->Unlock();
}

std::uint8_t Pixel8(CImageBase* image, int x, int y)
{
    const bool held = image->GetLockCount() > 0;
    unsigned char* at = image->Lock(x, y);
    const std::uint8_t value = at ? *at : 0xEE;
    if (!held)
        image->Unlock();
    return value;
}

void SetPixel8(CImageBase* image, int x, int y, std::uint8_t value)
{
    const bool held = image->GetLockCount() > 0;
    if (unsigned char* at = image->Lock(x, y))
        *at = value;
    if (!held)
        image->Unlock();
}

namespace {

// The window wrapper and the video made for it as start-up makes them; the display mode only with setMode.
bool OpenVideo(int width, int height, const char* title, bool setMode)
{
    gWrapper = new Ravel::BasicHWNDImpOBJC(width, height, title);
    MainWindowsHwnd = reinterpret_cast<Windows::HWND>(gWrapper);
    testing::internal::CaptureStderr(); // the scratch folder may have no "palette.act"
    const int made = CVideo::CreateVideo(0);
    testing::internal::GetCapturedStderr();
    return made == 1 && (!setMode || CVideo::SetMode(width, height, 16, 0) == 1);
}

void CloseVideo()
{
    CVideo::ShutDown();
    delete gWrapper;
    gWrapper = nullptr;
    MainWindowsHwnd = nullptr;
    CVideo::_RGBFormat = 0;
    CImageBase::Transparent16Bit = 0x07E0;
}

} // namespace

ScopedHeadlessVideo::ScopedHeadlessVideo(int width, int height, bool setMode)
{
    SetDataPath();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        ADD_FAILURE() << SDL_GetError();
        return;
    }
    mOk = OpenVideo(width, height, "video test", setMode);
    EXPECT_TRUE(mOk) << "no headless display";
}

ScopedHeadlessVideo::~ScopedHeadlessVideo()
{
    CloseVideo();
}

ScopedGameWindow::ScopedGameWindow(int width, int height, const char* title)
{
    if (!std::getenv("DISPLAY")) {
        ADD_FAILURE() << "needs an X display (make test runs under xvfb-run)";
        return;
    }
    unsetenv("SDL_VIDEODRIVER");
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_Init(SDL_INIT_VIDEO) != 0) {
        ADD_FAILURE() << SDL_GetError();
        return;
    }
    gWindowedMode = 1; // a window of the frame's size, not the whole screen
    mOk = OpenVideo(width, height, title, true);
}

ScopedGameWindow::~ScopedGameWindow()
{
    CloseVideo();
}

Ravel::BasicHWNDImpOBJC* ScopedGameWindow::GetWrapper() const
{
    return gWrapper;
}

} // namespace video_test
