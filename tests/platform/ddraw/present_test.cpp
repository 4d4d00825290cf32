// Presenting in a real game window (under Xvfb): the primary surface flipped onto the screen, a 3D frame
// shown as drawn, and the OpenGL-drawing surface's fills and blits.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>

#include "platform/ddraw/ddraw_object.h"
#include "platform/ddraw/direct3d_device_imp7.h"
#include "platform/ddraw/front_surface.h"
#include "platform/ddraw/stage_device.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/host_scratch.h"
#include "platform/render/our_context.h"

using namespace Windows;
using Ravel::IDirectDrawImp7;

namespace {

constexpr int kSize = 64;

class Presenting : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display (make test runs under xvfb-run)";
        unsetenv("SDL_VIDEODRIVER");
        if (!SDL_WasInit(SDL_INIT_VIDEO)) {
            ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        }
        host_test::UsePrefs("");
        IDirectDrawImp7::ResetDisplayState();
        mWrapper = new Ravel::BasicHWNDImpOBJC(kSize, kSize, "present test");
        void* made = nullptr;
        ASSERT_EQ(DirectDrawCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr), 0);
        mDD = static_cast<IDirectDraw7*>(made);
        mDD->SetCooperativeLevel(nullptr, DDSCL_NORMAL);
        DDSURFACEDESC2 desc {};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        desc.dwWidth = kSize;
        desc.dwHeight = kSize;
        ASSERT_EQ(mDD->CreateSurface(&desc, &mFront, nullptr), 0);
        ASSERT_NE(Ravel::gStage, nullptr);
    }
    void TearDown() override
    {
        if (mFront)
            mFront->Release();
        if (mDD)
            mDD->Release();
        IDirectDrawImp7::ResetDisplayState();
        delete mWrapper;
    }
    // Top half one colour, bottom half the other.
    void Paint(IDirectDrawSurface7* surface, std::uint16_t top, std::uint16_t bottom)
    {
        DDSURFACEDESC2 locked {};
        locked.dwSize = sizeof(locked);
        ASSERT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), 0);
        for (int y = 0; y < kSize; ++y) {
            auto* row = reinterpret_cast<std::uint16_t*>(
                static_cast<std::uint8_t*>(locked.lpSurface) + y * locked.lPitch);
            for (int x = 0; x < kSize; ++x)
                row[x] = y < kSize / 2 ? top : bottom;
        }
        surface->Unlock(nullptr);
    }
    // The frame at (x, y) counted from the window's top, as 0xRRGGBB. Mesa under Xvfb keeps the drawn
    // buffer after the swap, so the shown frame is read there; its front buffer reads back empty.
    static std::uint32_t Shown(int x, int y)
    {
        Ravel::UseStageContext();
        glFinish();
        std::uint8_t rgba[4] {};
        glReadBuffer(GL_BACK);
        glReadPixels(x, kSize - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return (std::uint32_t { rgba[0] } << 16) | (std::uint32_t { rgba[1] } << 8) | rgba[2];
    }

    Ravel::BasicHWNDImpOBJC* mWrapper = nullptr;
    IDirectDraw7* mDD = nullptr;
    IDirectDrawSurface7* mFront = nullptr;
};

TEST_F(Presenting, AFlipShowsThePrimaryTopRowAtTheTopAndA3DFrameAsDrawn)
{
    Paint(mFront, 0x7C00, 0x001F);
    EXPECT_EQ(mFront->Flip(nullptr, DDFLIP_WAIT), 0);
    EXPECT_EQ(Shown(kSize / 2, 2), 0xFF0000u);
    EXPECT_EQ(Shown(kSize / 2, kSize - 3), 0x0000FFu);

    // A 3D scene drawn into the window since the last flip is shown without the 2D picture over it.
    Ravel::UseStageContext();
    ASSERT_EQ(Ravel::gStage->BeginScene(), 0);
    ASSERT_EQ(Ravel::gStage->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00U, 1.0F, 0), 0);
    Ravel::gStage->EndScene();
    mFront->Flip(nullptr, DDFLIP_WAIT);
    EXPECT_EQ(Shown(kSize / 2, 2), 0x00FF00u);
    mFront->Flip(nullptr, DDFLIP_WAIT);
    EXPECT_EQ(Shown(kSize / 2, 2), 0xFF0000u);

    // A blit onto the front surface shows its source.
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = kSize;
    desc.dwHeight = kSize;
    IDirectDrawSurface7* other = nullptr;
    ASSERT_EQ(mDD->CreateSurface(&desc, &other, nullptr), 0);
    Paint(other, 0x03E0, 0x03E0);
    EXPECT_EQ(mFront->Blt(nullptr, other, nullptr, 0, nullptr), 0);
    EXPECT_EQ(Shown(3, 3), 0x00FF00u);
    other->Release();
}

TEST_F(Presenting, TheOpenGLDrawingSurfaceFillsInItsFillColour)
{
    DDSCAPS2 caps {};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    IDirectDrawSurface7* back = nullptr;
    ASSERT_EQ(mFront->GetAttachedSurface(&caps, &back), 0);
    ASSERT_NE(dynamic_cast<Ravel::IDirectDrawGLSurfaceImp7*>(Ravel::SurfaceImp(back)), nullptr);
    IDirectDrawSurface7* same = nullptr;
    mFront->GetAttachedSurface(&caps, &same);
    EXPECT_EQ(same, back);

    Ravel::UseStageContext();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    RECT rect { 0, 0, kSize / 2, kSize / 2 };
    DDBLTFX fx {};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 0x7C00;
    EXPECT_EQ(back->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL, &fx), 0);
    EXPECT_EQ(Shown(4, 4), 0xFF0000u);
    EXPECT_EQ(Shown(kSize - 4, kSize - 4), 0x000000u);
    EXPECT_EQ(back->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL, nullptr), RV_DXERR_FAILED);
}

} // namespace
